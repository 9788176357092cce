// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/gui/background_wnd.h"

#include <QFileInfo>
#include <QImageReader>
#include <QPaintEvent>
#include <QPainter>

#include "model/data_paths.h"
#include "ui/text.h"

namespace radioprog {

namespace {

const QString kPictureFiles[] = {QStringLiteral("bg.JPG"), QStringLiteral("0.JPG")};
// How long the work area's size must rest before the picture is decoded for it again.
constexpr int kResizeRestMs = 150;

QString PicturePath(const QString& name) { return Q(FindDataFile({S(name)})); }

}  // namespace

CBackgroundWnd::CBackgroundWnd(QWidget* parent) : QMdiArea(parent) {
    setBackground(QBrush(QColor(0x40, 0x48, 0x58)));
    loadTimer_.setSingleShot(true);
    connect(&loadTimer_, &QTimer::timeout, this, &CBackgroundWnd::loadPicture);
}

QString CBackgroundWnd::filesSignature() const {
    QString signature;
    for (const QString& name : kPictureFiles) {
        const QString path = PicturePath(name);
        if (path.isEmpty()) continue;
        const QFileInfo info(path);
        signature += path + QLatin1Char('@') + info.lastModified().toString(Qt::ISODateWithMs) + QLatin1Char('#') +
                     QString::number(info.size()) + QLatin1Char('\n');
    }
    return signature;
}

void CBackgroundWnd::loadPicture() {
    const QSize size = viewport()->size();
    if (size.isEmpty()) return;
    loadedSignature_ = filesSignature();
    loadedSize_ = size;
    const bool hadPicture = !picture_.isNull();
    picture_ = {};
    current_.clear();
    for (const QString& name : kPictureFiles) {
        const QString path = PicturePath(name);
        if (path.isEmpty()) continue;
        QImageReader reader(path);
        reader.setDecideFormatFromContent(true);
        // Stretched over the work area, as it is shown: JPEG decodes straight at that size.
        reader.setScaledSize(size);
        QImage image = reader.read();
        if (image.isNull()) {
            const QString key = path + QLatin1Char('@') + QFileInfo(path).lastModified().toString(Qt::ISODate);
            if (!reported_.contains(key)) {
                reported_.insert(key);
                emit pictureError(path);
            }
            continue;
        }
        picture_ = std::move(image);
        current_ = name;
        break;
    }
    if (hadPicture || !picture_.isNull()) viewport()->update();
}

void CBackgroundWnd::paintEvent(QPaintEvent* event) {
    const QRect client = viewport()->rect();
    // Until the picture for this size and these files is decoded, the one there is (stretched)
    // or the plain colour; the decoding waits until this frame is on the screen.
    if (!loadTimer_.isActive() && (loadedSize_ != client.size() || loadedSignature_ != filesSignature()))
        loadTimer_.start(picture_.isNull() ? 0 : kResizeRestMs);
    if (picture_.isNull()) {
        QMdiArea::paintEvent(event);
        return;
    }
    QPainter painter(viewport());
    painter.drawImage(client, picture_);
}

void CBackgroundWnd::resizeEvent(QResizeEvent* event) {
    QMdiArea::resizeEvent(event);
    if (loadTimer_.isActive() && !picture_.isNull()) loadTimer_.start(kResizeRestMs);
    viewport()->update();
}

}  // namespace radioprog
