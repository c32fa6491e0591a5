#include "platform/forms/Clipbrd.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

bool TClipboard::HasText() const {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    return data != nullptr && data->hasText();
}

std::string TClipboard::AsText() const {
    return QGuiApplication::clipboard()->text().toStdString();
}

void TClipboard::SetAsText(const std::string& text) {
    QGuiApplication::clipboard()->setText(QString::fromStdString(text));
}

void TClipboard::Clear() {
    QGuiApplication::clipboard()->clear();
}

TClipboard* Clipboard() {
    static TClipboard clipboard;
    return &clipboard;
}
