#pragma once

#include <QImage>
#include <QString>
#include <QStringList>

namespace tessaly::picgen::test {

QString resourcePath(const QString& relative);

// Every picture file of the layout, relative to the resource folder.
QStringList tilePaths();        // pic<N>/<K>.bmp
QStringList backgroundPaths();  // BackGround/<M>.bmp

// Why the file is not an uncompressed 24-bit BMP whose pixel data is all there; empty if it is.
QString bmpFormatProblem(const QString& path);

// Reads a BMP as a BMP only, never sniffing another format behind the name.
QImage readBmp(const QString& path, QString* error = nullptr);

// The share of pixels (0..1) where some colour channel differs by more than `step`.
// Small shifts from anti-aliasing or texture do not count; a pixel that changes colour does.
constexpr int kClearStep = 40;
double clearlyDifferentShare(const QImage& a, const QImage& b, int step = kClearStep);

}  // namespace tessaly::picgen::test
