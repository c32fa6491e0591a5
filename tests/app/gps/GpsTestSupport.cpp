#include "tests/app/gps/GpsTestSupport.h"

#include "tests/app/support/AppTestEnvironment.h"
#include "tests/app/support/OffUserInterface.h"

#include "platform/stdctrls/Registration.h"

#include <algorithm>
#include <atomic>
#include <filesystem>

#include <unistd.h>

namespace {

[[maybe_unused]] ::testing::Environment* const kApplication = ::testing::AddGlobalTestEnvironment(
    new apptest::ApplicationEnvironment("app-gps-fonts", [] { RegisterStdControls(); }));

} // namespace

namespace gpstest {

TFakeGpsView::TFakeGpsView()
    : saveMark_(std::make_unique<TLabel>(nullptr)), loadMark_(std::make_unique<TLabel>(nullptr)) {
    for (int i = 0; i < 4; ++i) {
        controls_.push_back(std::make_unique<TLabel>(nullptr));
    }
}

std::vector<TControl*> TFakeGpsView::TransferControls() {
    std::vector<TControl*> out;
    for (const auto& c : controls_) {
        out.push_back(c.get());
    }
    return out;
}

TGpsFileNames TFakeGpsView::FileNames() {
    NameReaders.push_back(std::this_thread::get_id());
    return Names;
}

TGpsBench::TGpsBench() : host_(Dev(), queue_), ops_(host_, view_) {}

TGpsBench::~TGpsBench() {
    Close();
}

void TGpsBench::RunCommand(const std::function<void(TGpsOperations&)>& command) {
    apptest::RunOffUserInterface([&] { command(ops_); });
}

std::vector<std::string> TGpsBench::TakeQueued() {
    const std::vector<TControl*> transfer = view_.TransferControls();
    std::vector<std::string> words;
    TOutElement* element = nullptr;
    while (queue_.Take(element) != okNone) {
        auto* value = dynamic_cast<TControlOut*>(element);
        if (value == nullptr) {
            words.push_back("other");
            continue;
        }
        const auto at = std::find(transfer.begin(), transfer.end(), value->Control);
        const std::string who = at != transfer.end()
                                    ? "control" + std::to_string(at - transfer.begin())
                                : value->Control == view_.SaveMark() ? "save"
                                : value->Control == view_.LoadMark() ? "load"
                                                                     : "unknown";
        words.push_back(who + "=" + value->Text);
    }
    // The four transfer controls given one text in a row become one word.
    std::vector<std::string> out;
    for (size_t i = 0; i < words.size(); ++i) {
        const std::string text = words[i].substr(words[i].find('=') + 1);
        bool all = i + transfer.size() <= words.size();
        for (size_t k = 0; all && k < transfer.size(); ++k) {
            all = words[i + k] == "control" + std::to_string(k) + "=" + text;
        }
        if (all) {
            out.push_back("controls=" + text);
            i += transfer.size() - 1;
        } else {
            out.push_back(words[i]);
        }
    }
    return out;
}

TTempFolder::TTempFolder() {
    static std::atomic<int> serial{0};
    path_ = (std::filesystem::temp_directory_path() /
             ("q4-app-gps-" + std::to_string(::getpid()) + "-" + std::to_string(serial++)))
                .string();
    std::filesystem::create_directories(path_);
}

TTempFolder::~TTempFolder() {
    std::filesystem::remove_all(path_);
}

std::string TTempFolder::File(const std::string& name) const {
    return path_ + "/" + name;
}

} // namespace gpstest
