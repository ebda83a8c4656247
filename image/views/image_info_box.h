// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The image component's information box: the read and write failures of the
// image component appear in a box captioned "情報" with one OK button. Tests
// replace the presenter to record messages instead of opening a box.

#include "base/translatable.h"
#include "image/multi_image.h"

#include <QString>

#include <functional>
#include <memory>
#include <string>

class QMessageBox;

namespace ImageInfoBox {

inline constexpr const char* kCaption = QT_TRANSLATE_NOOP("ImageInfoBox", "情報");

// Shows one text in the box captioned "情報".
void Show(const std::string& text);
// Shows a text in a plain box captioned with the application title (the
// Photo CD reader's message).
void ShowMessage(const std::string& text);

// Shows the result's message when it has one; true when the result is a success.
bool Report(const ImageResult& result);

using Presenter = std::function<void(const QString& caption, const QString& text)>;
// Installs a presenter; an empty one restores the boxes.
void SetPresenter(Presenter presenter);

// The box as it is shown (exposed so tests can look at its buttons).
std::unique_ptr<QMessageBox> MakeBox(const QString& caption, const QString& text, bool information);

}  // namespace ImageInfoBox
