#include "shell/gui/message_dlg.h"

#include <QFontMetrics>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

#include "shell/gui/dialog_units.h"
#include "shell/gui/interface_fonts.h"
#include "shell/gui/text.h"
#include "shell/message_layout.h"

namespace radioprog {

CMessageDlg::CMessageDlg(const QString& title, const QString& okCaption, const QString& message, QWidget* parent)
    : QDialog(parent), message_(message), ok_(new QPushButton(okCaption, this)) {
    setWindowTitle(title);
    DialogUnits units(font());
    setFixedSize(units.size(142, 66));
    ok_->setGeometry(units.rect(42, 44, 58, 13));
    ok_->setDefault(true);
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
}

void CMessageDlg::setDetail(const QString& detail) {
    if (!detail_) {
        detail_ = new QLabel(this);
        detail_->setWordWrap(true);
        detail_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    }
    DialogUnits units(font());
    const int width = units.x(260);
    detail_->setText(detail);
    detail_->setFixedWidth(width - 2 * units.x(6));
    const int top = units.y(62);
    detail_->move(units.x(6), top);
    detail_->adjustSize();
    setFixedSize(width, top + detail_->height() + units.y(6));
    ok_->move((width - ok_->width()) / 2, ok_->y());
}

QString CMessageDlg::detail() const { return detail_ ? detail_->text() : QString(); }

QFont CMessageDlg::messageFont(int points) const {
    QFont font;
    font.setFamilies(MessageFamilies());
    font.setPointSize(points);
    return font;
}

CMessageDlg::PaintPlan CMessageDlg::paintPlan() const {
    PaintPlan plan;
    std::string text = S(message_);
    plan.points = MessageFontPoints(text);
    QFontMetrics metrics(messageFont(plan.points));
    const int width = rect().width();
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
    plan.origins << QPoint(1, 16) << QPoint((width - metrics.horizontalAdvance(second)) / 2, 40);
    return plan;
}

void CMessageDlg::paintEvent(QPaintEvent* event) {
    QDialog::paintEvent(event);
    PaintPlan plan = paintPlan();
    QPainter painter(this);
    QFont font = messageFont(plan.points);
    painter.setFont(font);
    // The text stands on the dialog's own face.
    painter.setBackgroundMode(Qt::TransparentMode);
    painter.setPen(QColor(10, 10, 10));
    QFontMetrics metrics(font);
    for (int i = 0; i < plan.lines.size(); ++i)
        painter.drawText(plan.origins[i] + QPoint(0, metrics.ascent()), plan.lines[i]);
}

}  // namespace radioprog
