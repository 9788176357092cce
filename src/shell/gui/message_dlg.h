// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's one-button message dialog: a short message painted large in a brush-script
// font, used for transfer results, the File New confirmation and the band refusal. A message
// too long for the small dialog wraps, and the dialog grows to show it whole.
#include <QDialog>
#include <QPoint>
#include <QString>
#include <QStringList>

class QLabel;
class QPushButton;

namespace radioprog {

class CMessageDlg : public QDialog {
    Q_OBJECT
public:
    CMessageDlg(const QString& title, const QString& okCaption, const QString& message, QWidget* parent = nullptr);

    const QString& message() const { return message_; }
    // A smaller line under the button (for example where a backup was written).
    void setDetail(const QString& detail);
    QString detail() const;
    QPushButton* okButton() const { return ok_; }

    // How the message is drawn in the current client size: font size, lines and where each
    // line starts (left end of the text).
    struct PaintPlan {
        int points = 0;
        QStringList lines;
        QList<QPoint> origins;
    };
    PaintPlan paintPlan() const;
    // The small dialog's own layout at this client width: one line, or two split near byte
    // 23. Used whenever it shows the message whole.
    PaintPlan smallPlan(int width) const;
    // The rectangle the painted lines cover.
    QRect paintedRect() const;
    // Whether the message was too long for the small dialog and wraps.
    bool wraps() const { return !wrapped_.isEmpty(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QFont messageFont(int points) const;
    bool fits(const PaintPlan& plan, int width) const;
    // Sizes the dialog and places the button and the detail line.
    void layOut();
    // Gives the painted message and the detail to a screen reader.
    void describe();

    QString message_;
    QPushButton* ok_;
    QLabel* detail_ = nullptr;
    QStringList wrapped_;  // the lines of a wrapped message (empty: the small layout)
};

}  // namespace radioprog
