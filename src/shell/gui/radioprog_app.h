#pragma once
// Start-up of the program: the main window, the language file, the menu; and the two
// commands that are not about radio data, LANG and About.
#include <QIcon>
#include <QObject>

#include <memory>
#include <string>
#include <vector>

namespace radioprog {

class CMainFrame;

class CRadioProgApp : public QObject {
    Q_OBJECT
public:
    CRadioProgApp();
    ~CRadioProgApp() override;

    // Creates and shows the main window; false when it cannot be created.
    bool InitInstance(bool showWindow = true);
    CMainFrame* mainFrame() const { return mainFrame_.get(); }

    // (Re)loads the language file into the main frame's table and sets the title.
    void LoadLanguageFile(bool resetToDefault);
    // Tells the user about each language file the last load passed over (once).
    void WarnSkippedLanguageFiles();
    void OnLanguage();
    void OnAppAbout();

private:
    std::unique_ptr<CMainFrame> mainFrame_;
    QIcon appIcon_;
    std::vector<std::string> skippedLanguageFiles_;
    bool toldMissingLanguageFile_ = false;
};

}  // namespace radioprog
