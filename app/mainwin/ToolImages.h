#pragma once
// The main window's tool-bar pictures, drawn at start-up (16 x 16): connect, disconnect, read the
// page, read all, write the page, write all, factory values of the page, all factory values.

#include <memory>

class TCustomImageList;

std::unique_ptr<TCustomImageList> MakeToolImages();
