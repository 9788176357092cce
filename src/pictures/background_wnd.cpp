#include "pictures/background_wnd.h"

#include <QFileInfo>
#include <QImageReader>
#include <QPaintEvent>
#include <QPainter>

#include "model/data_paths.h"
#include "shell/gui/text.h"

namespace radioprog {

CBackgroundWnd::CBackgroundWnd(QWidget* parent) : QMdiArea(parent) {
    setBackground(QBrush(QColor(0x40, 0x48, 0x58)));
}

bool CBackgroundWnd::DrawPictureFile(const QString& name, QPainter& painter, const QRect& target) {
    QString path = Q(FindDataFile({S(name)}));
    if (path.isEmpty()) return false;
    QFileInfo info(path);
    // Decoded once per file version: a repaint or resize only stretches it anew.
    if (cache_.path != path || cache_.modified != info.lastModified() || cache_.size != info.size()) {
        QImageReader reader(path);
        reader.setDecideFormatFromContent(true);
        cache_ = {path, info.lastModified(), info.size(), reader.read()};
        if (cache_.image.isNull()) {
            QString key = path + QLatin1Char('@') + info.lastModified().toString(Qt::ISODate);
            if (!reported_.contains(key)) {
                reported_.insert(key);
                emit pictureError(path);
            }
        }
    }
    if (cache_.image.isNull()) return false;
    painter.drawImage(target, cache_.image);
    return true;
}

void CBackgroundWnd::paintEvent(QPaintEvent* event) {
    QPainter painter(viewport());
    const QRect client = viewport()->rect();
    current_.clear();
    for (const QString& name : {QStringLiteral("bg.JPG"), QStringLiteral("0.JPG")}) {
        if (DrawPictureFile(name, painter, client)) {
            current_ = name;
            return;
        }
    }
    painter.end();
    QMdiArea::paintEvent(event);
}

void CBackgroundWnd::resizeEvent(QResizeEvent* event) {
    QMdiArea::resizeEvent(event);
    viewport()->update();
}

}  // namespace radioprog
