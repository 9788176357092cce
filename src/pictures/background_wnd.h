#pragma once
// The main window's work area, painted with a picture stretched over it: "bg.JPG" where the
// user put one, else "0.JPG".
#include <QDateTime>
#include <QImage>
#include <QMdiArea>
#include <QSet>
#include <QString>

namespace radioprog {

class CBackgroundWnd : public QMdiArea {
    Q_OBJECT
public:
    explicit CBackgroundWnd(QWidget* parent = nullptr);

    // Draws the picture file into target (stretched); false when the file is missing or
    // cannot be decoded.
    bool DrawPictureFile(const QString& name, QPainter& painter, const QRect& target);
    // The file the background shows now, or empty.
    QString currentPicture() const { return current_; }

signals:
    // A picture file exists but cannot be decoded; sent once per file.
    void pictureError(const QString& message);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    struct Cached {
        QString path;
        QDateTime modified;
        qint64 size = -1;
        QImage image;
    };
    Cached cache_;
    QSet<QString> reported_;
    QString current_;
};

}  // namespace radioprog
