#pragma once
// What the settings pages' window tests share: a window that owns pages and records the commands
// their buttons set, a page's control by name, and a picture of a page written for review into
// the build folder's app-snapshots.

#include "app/pages/FormIncl.h"
#include "app/pages/PageCommands.h"
#include "platform/forms/Forms.h"
#include "platform/graphics/Snapshot_p.h"

#include <QDir>
#include <QImage>
#include <QWidget>
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace pagetest {

class TCommandHost : public TComponent, public TPageCommands {
public:
    TCommandHost() : TComponent(nullptr) {}
    bool Connected() override { return IsConnected; }
    bool RunPageCommand(uint8_t code) override {
        if (!IsConnected)
            return false;
        Codes.push_back(code);
        return true;
    }
    bool IsConnected = true;
    std::vector<uint8_t> Codes;
};

template <class T> T* Part(const TComponent& page, const std::string& name) {
    T* part = dynamic_cast<T*>(page.FindComponent(name));
    if (part == nullptr)
        ADD_FAILURE() << name << " missing or of another class";
    return part;
}

// Shows the page at `width` x `height` and writes its picture to app-snapshots/<name>.png.
inline void SnapshotPage(TformIncl& page, const std::string& name, int width, int height) {
    page.SetBounds(0, 0, width, height);
    page.Show();
    Application->ProcessMessages();
    QDir().mkpath(QStringLiteral(Q4_BINARY_DIR "/app-snapshots"));
    const QImage shot = page.Handle()->grab().toImage();
    EXPECT_EQ(shot.width(), width);
    EXPECT_FALSE(
        SaveSnapshot(shot, std::string(Q4_BINARY_DIR "/app-snapshots/") + name + ".png").empty());
}

} // namespace pagetest
