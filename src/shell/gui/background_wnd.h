// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main window's work area, painted with a picture stretched over it: "bg.JPG" where the
// user put one, else "0.JPG". The first frame shows the plain background colour; the picture
// is decoded after it, straight at the work area's size (a large photo never sits in memory at
// full resolution), and again when the work area's size or the picture file changes (while
// the window is being resized, the picture is stretched and decoded anew once it rests).
#include <QDateTime>
#include <QImage>
#include <QMdiArea>
#include <QSet>
#include <QString>
#include <QTimer>

namespace radioprog {

class CBackgroundWnd : public QMdiArea {
    Q_OBJECT
public:
    explicit CBackgroundWnd(QWidget* parent = nullptr);

    // The file the background shows now, or empty.
    QString currentPicture() const { return current_; }
    // The decoded picture as it is kept (the work area's size), or a null image.
    const QImage& picture() const { return picture_; }

signals:
    // A picture file exists but cannot be decoded; sent once per file version.
    void pictureError(const QString& message);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // Path, time and size of the files that may be shown, in order of preference.
    QString filesSignature() const;
    // Decodes the first usable file at the work area's size.
    void loadPicture();

    QImage picture_;
    QString current_;
    QString loadedSignature_;  // the files' signature when picture_ was decoded ...
    QSize loadedSize_;         // ... and the work area's size then
    QTimer loadTimer_;         // decodes once the frame that found the picture outdated is shown
    QSet<QString> reported_;
};

}  // namespace radioprog
