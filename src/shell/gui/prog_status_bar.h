#pragma once
// The status bar whose first pane turns into a progress bar while the radio is read or
// written.
#include <QStatusBar>

class QProgressBar;

namespace radioprog {

class CProgStatusBar : public QStatusBar {
    Q_OBJECT
public:
    explicit CProgStatusBar(QWidget* parent = nullptr);

    // Shows the bar for a non-zero position, hides it for 0, and moves it.
    void SetProgress(int position);
    QProgressBar* progressBar() const { return progress_; }
    QRect firstPaneRect() const;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QProgressBar* progress_;
};

}  // namespace radioprog
