#pragma once

#include <QIcon>

// The command images, 16 x 16 with transparency. An index out of range gives a null icon.
QIcon ToolImage(int index);    // ilstTools, 25 images
QIcon RotateImage(int index);  // ilstRotate, 5 images: left, right, horizontal, vertical, cancel

constexpr int ToolImageCount = 25;
constexpr int RotateImageCount = 5;
