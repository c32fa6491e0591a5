#include "tests/chart/editors/gallery/GalleryTestSupport.h"

#include "chart/control/ControlLibrary.h"
#include "chart/control/SeriesTypes.h"
#include "chart/editors/gallery/GalleryRoutines.h"
#include "chart/editors/gallery/GallerySettings.h"
#include "platform/rtl/Registry.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>

#include <cstdlib>
#include <deque>
#include <filesystem>
#include <map>
#include <unistd.h>

namespace gallerytest {

const std::string kExtrasPage = "Extras";

namespace {

std::string& ExtrasPageText() {
    static std::string page = kExtrasPage;
    return page;
}

std::string& RefusingText() {
    static std::string text = "Refusing";
    return text;
}

class GalleryEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        StartChartControl();
        // Before the standard types: the "Standard" page is then not the first one met.
        AddSeriesType(TRefusingSeries::StaticClass(), nullptr, &RefusingText(), &ExtrasPageText(),
                      1, 0);
        StartChartGallery();
    }
    void TearDown() override {
        StopChartGallery();
        StopChartControl();
    }
};

[[maybe_unused]] ::testing::Environment* const kGallery =
    ::testing::AddGlobalTestEnvironment(new GalleryEnvironment);

} // namespace

std::string PageOfTypes(int n) {
    // Texts the registry entries point at, kept for the whole run.
    static std::map<int, std::deque<std::string>> texts;
    const std::string page = "Types" + std::to_string(n);
    if (texts.count(n) != 0)
        return page;
    std::deque<std::string>& own = texts[n];
    own.push_back(page);
    const std::string* pageText = &own.back();
    for (int i = 1; i <= n; ++i) {
        own.push_back("Line\r" + std::to_string(i));
        AddSeriesType(TLineSeries::StaticClass(), nullptr, &own.back(), pageText, 1, i);
    }
    return page;
}

std::optional<int> StoredOption(const std::string& name) {
    return ReadGalleryOption(name);
}

void StoreOption(const std::string& name, int value) {
    WriteGalleryInteger(name, value);
}

void Mouse(TWinControl* control, QEvent::Type type, int x, int y) {
    QWidget* w = control->Handle();
    const Qt::MouseButtons buttons =
        type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(Qt::LeftButton);
    const QPointF at(x, y);
    QMouseEvent e(type, at, w->mapToGlobal(at), Qt::LeftButton, buttons, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

void DoubleClickAt(TWinControl* control, int x, int y) {
    Mouse(control, QEvent::MouseButtonPress, x, y);
    Mouse(control, QEvent::MouseButtonRelease, x, y);
    Mouse(control, QEvent::MouseButtonDblClick, x, y);
    Mouse(control, QEvent::MouseButtonRelease, x, y);
    QApplication::processEvents();
}

void Key(TWinControl* control, int qtKey, Qt::KeyboardModifiers mods) {
    QWidget* w = control->Handle();
    QKeyEvent press(QEvent::KeyPress, qtKey, mods);
    QApplication::sendEvent(w, &press);
    QKeyEvent release(QEvent::KeyRelease, qtKey, mods);
    QApplication::sendEvent(w, &release);
    QApplication::processEvents();
}

void PreferencesTest::SetUp() {
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    hadPrevious = xdg != nullptr;
    if (hadPrevious)
        previous = xdg;
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    folder = (std::filesystem::temp_directory_path() /
              ("q4-gallery-" + std::to_string(::getpid()) + "-" + info->test_suite_name() + "-" +
               info->name()))
                 .string();
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    setenv("XDG_CONFIG_HOME", folder.c_str(), 1);
}

void PreferencesTest::TearDown() {
    if (hadPrevious)
        setenv("XDG_CONFIG_HOME", previous.c_str(), 1);
    else
        unsetenv("XDG_CONFIG_HOME");
    std::filesystem::remove_all(folder);
}

void GalleryPanelTest::SetUp() {
    PreferencesTest::SetUp();
    form = new TForm(nullptr);
    form->SetBounds(0, 0, 480, 380);
    gallery = new TChartGalleryPanel(form);
    gallery->SetParent(form);
    gallery->SetAlign(alClient);
    form->Show();
}

void GalleryPanelTest::TearDown() {
    form->Free();
    PreferencesTest::TearDown();
}

void GalleryPanelTest::ClickChart(int i) {
    TGalleryChart* chart = ChartN(i);
    Mouse(chart, QEvent::MouseButtonPress, chart->Width() / 2, chart->Height() / 2);
    Mouse(chart, QEvent::MouseButtonRelease, chart->Width() / 2, chart->Height() / 2);
    QApplication::processEvents();
}

} // namespace gallerytest
