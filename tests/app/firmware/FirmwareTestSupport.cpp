#include "tests/app/firmware/FirmwareTestSupport.h"

#include <atomic>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <thread>

#include <unistd.h>

namespace fwtest {

std::string Record(int type, int offset, const std::vector<uint8_t>& data) {
    std::vector<uint8_t> bytes = {static_cast<uint8_t>(data.size()),
                                  static_cast<uint8_t>(offset >> 8),
                                  static_cast<uint8_t>(offset & 0xFF), static_cast<uint8_t>(type)};
    bytes.insert(bytes.end(), data.begin(), data.end());
    unsigned sum = 0;
    for (uint8_t b : bytes)
        sum += b;
    bytes.push_back(static_cast<uint8_t>(-sum));
    std::string text = ":";
    for (uint8_t b : bytes) {
        char pair[4];
        std::snprintf(pair, sizeof pair, "%02X", b);
        text += pair;
    }
    return text;
}

std::string LinesFile(int lines, int seed) {
    std::string text;
    for (int i = 0; i < lines; ++i) {
        std::vector<uint8_t> data;
        for (uint32_t a = i * 16u; a < i * 16u + 16; ++a)
            data.push_back(LinesByte(a, seed));
        text += Record(0, (i * 16) & 0xFFFF, data) + "\r\n";
        if ((i + 1) % 4096 == 0 && i + 1 < lines) // the next 64 KiB
            text += Record(4, 0, {0, static_cast<uint8_t>((i + 1) / 4096)}) + "\r\n";
    }
    return text + kEnd + "\r\n";
}

std::string TempFolder() {
    static std::atomic<int> serial{0};
    const auto path = std::filesystem::temp_directory_path() /
                      ("q4-firmware-" + std::to_string(getpid()) + "-" + std::to_string(serial++));
    std::filesystem::create_directories(path);
    return path.string();
}

void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string Oracle(const std::string& arguments) {
    const std::string command =
        "/usr/bin/python3 " Q4_SOURCE_DIR "/tests/app/firmware/intelhex_oracle.py " + arguments;
    std::string out;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[4096];
        size_t n = 0;
        while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0)
            out.append(buffer, n);
        pclose(pipe);
    }
    while (!out.empty() && (out.back() == '\n' || out.back() == '\r'))
        out.pop_back();
    return out;
}

uint32_t TFastClock::Ticks() {
    const auto elapsed = std::chrono::steady_clock::now() - start_;
    return static_cast<uint32_t>(
        std::chrono::duration_cast<std::chrono::microseconds>(elapsed).count() * Factor / 1000);
}

void TFastClock::Sleep(uint32_t ms) {
    std::this_thread::sleep_for(std::chrono::microseconds(ms * 1000 / Factor));
}

namespace {

TUnitSimOptions RigOptions(bool pacing, bool modem) {
    TUnitSimOptions options;
    options.Pacing = pacing;
    options.PaceInput = pacing;
    options.Modem = modem;
    return options;
}

} // namespace

TFlashRig::TFlashRig(bool pacing, bool modem) : sim_(RigOptions(pacing, modem)) {
    sim_.Access(
        [this](TSimUnit& unit, TSimModem*) { boot_ = std::make_unique<TSimBootloader>(unit); });
    sim_.Start();
    port_ = std::make_unique<TComPortWorker>(sim_.Path(), false, nullptr);
    port_->SetClock(clock_);
    port_->Reopen();
    if (modem) {
        TModemOptions modemOptions;
        modemOptions.DialDelayMs = 0;
        modemOptions.GuardMs = 0;
        sim_.SetModemOptions(modemOptions);
        modem_ = std::make_unique<TModemWorker>(*port_, "+79001234567", false, nullptr);
        if (!modem_->ResetModem() || !modem_->CheckModem() || !modem_->SetBearer() ||
            !modem_->Dial())
            throw Exception("the simulated modem did not connect");
    }
    dev_ = std::make_unique<TDevQuorvan>(modem_.get(), port_.get());
    sim_.ClearRecords();
    link_ = std::make_unique<TDevBootLink>(*dev_);
}

TFlashRig::~TFlashRig() {
    link_.reset();
    dev_.reset();
    modem_.reset();
    port_.reset();
    sim_.Stop();
    boot_.reset();
}

void TFlashRig::Boot(const std::function<void(TSimBootloader&)>& action) {
    sim_.Access([&](TSimUnit&, TSimModem*) { action(*boot_); });
}

std::vector<uint8_t> TFlashRig::Flash() {
    std::vector<uint8_t> flash;
    Boot([&](TSimBootloader& boot) { flash = boot.Flash(); });
    return flash;
}

} // namespace fwtest
