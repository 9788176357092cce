// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A pair of arrow buttons beside a number field. Like the classic up-down control with its
// default range, the up arrow reports a position change of -1 and the down arrow +1.
#include <QWidget>

class QToolButton;

namespace radioprog {

class UpDownControl : public QWidget {
    Q_OBJECT
public:
    explicit UpDownControl(QWidget* parent = nullptr);

    QToolButton* upButton() const { return up_; }
    QToolButton* downButton() const { return down_; }

signals:
    void positionChanged(int change);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QToolButton* up_;
    QToolButton* down_;
};

}  // namespace radioprog
