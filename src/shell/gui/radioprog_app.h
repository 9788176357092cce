#pragma once
// Start-up of the program: the main window, the language file, the menu; and the two
// commands that are not about radio data, LANG and About.
#include <QIcon>
#include <QObject>

#include <memory>

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
    void OnLanguage();
    void OnAppAbout();

private:
    std::unique_ptr<CMainFrame> mainFrame_;
    QIcon appIcon_;
    bool toldMissingLanguageFile_ = false;
};

}  // namespace radioprog
