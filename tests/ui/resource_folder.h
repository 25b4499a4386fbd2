// A small resource folder of plain-coloured pictures in a temporary directory, which becomes the
// current directory for the test's lifetime.
#pragma once

#include <QColor>
#include <QImage>
#include <QString>
#include <QTemporaryDir>

namespace tessaly::test {

class ResourceFolder {
  public:
    ResourceFolder();
    ~ResourceFolder();
    ResourceFolder(const ResourceFolder&) = delete;
    ResourceFolder& operator=(const ResourceFolder&) = delete;

    // Colour of tile k (1..45) of set 1, of background m (1..15), of the start picture's
    // quarters (0 top left, 1 top right, 2 bottom left, 3 bottom right).
    static QColor Tile(int k);
    static QColor Background(int m);
    static QColor StartQuarter(int q);

    // Absolute path of a file inside the resource folder, e.g. "pic1/7.bmp".
    QString Path(const QString& inside) const;
    void Write(const QString& inside, const QImage& image) const;
    void WriteBytes(const QString& inside, const QByteArray& bytes) const;
    void Remove(const QString& inside) const;

  private:
    QTemporaryDir dir_;
    QString previous_;
};

// A 50 x 50 picture in one colour, as the game's cells are.
QImage SolidCell(QColor color);

}  // namespace tessaly::test
