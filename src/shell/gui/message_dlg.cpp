// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/gui/message_dlg.h"

#include <QFontMetrics>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

#include "shell/message_layout.h"
#include "ui/dialog_units.h"
#include "ui/interface_fonts.h"
#include "ui/text.h"

namespace radioprog {

CMessageDlg::CMessageDlg(const QString& title, const QString& okCaption, const QString& message, QWidget* parent)
    : QDialog(parent), message_(message), ok_(new QPushButton(okCaption, this)) {
    setWindowTitle(title);
    DialogUnits units(font());
    ok_->setGeometry(units.rect(42, 44, 58, 13));
    ok_->setDefault(true);
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
    describe();
    layOut();
}

void CMessageDlg::describe() {
    // The message is painted, not a label: a screen reader finds it as the description of the
    // dialog and of its button, which has the focus when the dialog opens.
    QString text = message_;
    if (detail_) text += QLatin1Char('\n') + detail_->text();
    setAccessibleDescription(text);
    ok_->setAccessibleDescription(text);
}

void CMessageDlg::setDetail(const QString& detail) {
    if (!detail_) {
        detail_ = new QLabel(this);
        detail_->setWordWrap(true);
        // Selectable by keyboard too, so the detail lines are a Tab stop a screen reader reads.
        detail_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    }
    detail_->setText(detail);
    describe();
    layOut();
}

namespace {

// Where the message's first line starts, in pixels from the client's top (the small dialog's
// two-line layout starts there too).
constexpr int kFirstLineTop = 16;

}  // namespace

void CMessageDlg::layOut() {
    DialogUnits units(font());
    const int margin = units.x(6);
    const int widest = units.x(260);  // the width a detail line or a wrapped message may take
    int width = detail_ ? widest : units.x(142);
    int buttonTop = units.y(44);
    wrapped_.clear();
    const QFontMetrics metrics(messageFont(MessageFontPoints(S(message_))));
    int messageBottom = 0;
    if (const PaintPlan small = smallPlan(width); fits(small, width)) {
        messageBottom = small.origins.back().y() + metrics.height();
    } else {
        int textWidth = 0;
        for (const std::string& line :
             WrapMessage(S(message_), widest - 2 * margin,
                         [&metrics](const std::string& text) { return metrics.horizontalAdvance(Q(text)); })) {
            wrapped_ << Q(line);
            textWidth = std::max(textWidth, metrics.horizontalAdvance(wrapped_.back()));
        }
        width = std::max(width, textWidth + 2 * margin);
        messageBottom = kFirstLineTop + static_cast<int>(wrapped_.size()) * metrics.lineSpacing();
        buttonTop = std::max(buttonTop, messageBottom + units.y(6));
    }
    // The detail belongs to the message: it stands under it, and the button closes the dialog
    // below both.
    if (detail_) {
        detail_->setFixedWidth(width - 2 * margin);
        detail_->move(margin, messageBottom + units.y(5));
        detail_->adjustSize();
        buttonTop = std::max(buttonTop, detail_->y() + detail_->height() + units.y(6));
    }
    ok_->move((width - ok_->width()) / 2, buttonTop);
    setFixedSize(width, buttonTop + ok_->height() + units.y(9));
}

QString CMessageDlg::detail() const { return detail_ ? detail_->text() : QString(); }

QFont CMessageDlg::messageFont(int points) const {
    QFont font;
    font.setFamilies(MessageFamilies());
    font.setPointSize(points);
    return font;
}

CMessageDlg::PaintPlan CMessageDlg::smallPlan(int width) const {
    PaintPlan plan;
    std::string text = S(message_);
    plan.points = MessageFontPoints(text);
    QFontMetrics metrics(messageFont(plan.points));
    const int x = (width - metrics.horizontalAdvance(message_)) / 2;
    if (!MessageNeedsSplit(text, x >= 0)) {
        plan.lines << message_;
        plan.origins << QPoint(x, 28);
        return plan;
    }
    std::size_t split = MessageSplitIndex(text);
    QString first = Q(text.substr(0, split));
    QString second = Q(text.substr(split));
    plan.lines << first << second;
    plan.origins << QPoint(1, kFirstLineTop) << QPoint((width - metrics.horizontalAdvance(second)) / 2, 40);
    return plan;
}

bool CMessageDlg::fits(const PaintPlan& plan, int width) const {
    // The small layout's split counts bytes: it may fall inside a number, as in a band
    // refusal's ranges.
    if (plan.lines.size() > 1 && !MessageSplitIsClean(S(message_), S(plan.lines[0]).size())) return false;
    // A single line keeps a margin from the edges; the split layout starts its first line
    // at the left edge by design.
    const int margin = plan.lines.size() == 1 ? DialogUnits(font()).x(6) : 0;
    QFontMetrics metrics(messageFont(plan.points));
    for (int i = 0; i < plan.lines.size(); ++i)
        if (plan.origins[i].x() < margin ||
            plan.origins[i].x() + metrics.horizontalAdvance(plan.lines[i]) > width - margin)
            return false;
    return true;
}

CMessageDlg::PaintPlan CMessageDlg::paintPlan() const {
    if (wrapped_.isEmpty()) return smallPlan(rect().width());
    PaintPlan plan;
    plan.points = MessageFontPoints(S(message_));
    QFontMetrics metrics(messageFont(plan.points));
    int top = kFirstLineTop;
    for (const QString& line : wrapped_) {
        plan.lines << line;
        plan.origins << QPoint((rect().width() - metrics.horizontalAdvance(line)) / 2, top);
        top += metrics.lineSpacing();
    }
    return plan;
}

QRect CMessageDlg::paintedRect() const {
    const PaintPlan plan = paintPlan();
    QFontMetrics metrics(messageFont(plan.points));
    QRect covered;
    for (int i = 0; i < plan.lines.size(); ++i)
        covered |= QRect(plan.origins[i], QSize(metrics.horizontalAdvance(plan.lines[i]), metrics.height()));
    return covered;
}

void CMessageDlg::paintEvent(QPaintEvent* event) {
    QDialog::paintEvent(event);
    PaintPlan plan = paintPlan();
    QPainter painter(this);
    QFont font = messageFont(plan.points);
    painter.setFont(font);
    // The text stands on the dialog's own face, in its text colour (a dark or high-contrast
    // palette has light text on a dark face).
    painter.setBackgroundMode(Qt::TransparentMode);
    painter.setPen(palette().color(QPalette::WindowText));
    QFontMetrics metrics(font);
    for (int i = 0; i < plan.lines.size(); ++i)
        painter.drawText(plan.origins[i] + QPoint(0, metrics.ascent()), plan.lines[i]);
}

}  // namespace radioprog
