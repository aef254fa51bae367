// Emblem pictures: a JPEG drawn from the query's parameters. "s" is the size in
// pixels (8 to 256, default 90), "0" to "3" are colour codes of the Color rows
// (shape, outline, backdrop, backdrop shape), "fi" and "bi" pick the shapes and
// "b=1" draws on a plain white ground. Also the small stand-in pictures the pages
// refer to (medals, corners, the level bar), as PNG.
#pragma once

#include <QByteArray>

#include "statsite/Reference.h"

namespace tw::statsite {

QByteArray emblemJpeg(const QByteArray& query, const Reference& reference);
// A small flat picture for one of the pages' decoration files, by its file name.
QByteArray decorationPng(const QByteArray& fileName);

}  // namespace tw::statsite
