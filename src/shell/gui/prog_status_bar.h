// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The status bar whose first pane turns into a progress bar while the radio is read or
// written, with a Cancel button at its right end. Notices are not shown in the status bar
// during a transfer: the bar would hide them.
#include <QStatusBar>

class QProgressBar;
class QPushButton;

namespace radioprog {

class CProgStatusBar : public QStatusBar {
    Q_OBJECT
public:
    explicit CProgStatusBar(QWidget* parent = nullptr);

    // Shows the bar for a non-zero position, hides it for 0, and moves it.
    void SetProgress(int position);
    QProgressBar* progressBar() const { return progress_; }
    QPushButton* cancelButton() const { return cancel_; }
    void setCancelText(const QString& text);
    // What the bar says a transfer does ("Reading"): shown in the bar and its accessible name.
    void setProgressName(const QString& name);
    QRect firstPaneRect() const;

signals:
    void cancelRequested();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void placeProgress();

    QProgressBar* progress_;
    QPushButton* cancel_;
};

}  // namespace radioprog
