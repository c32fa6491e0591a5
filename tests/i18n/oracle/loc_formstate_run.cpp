// Driver of the form-state check across program runs (formstate_oracle.py); one call is one run:
//   loc-formstate-run                        prints the placement the form shows once read from
//                                            its description (and restored by its storage)
//   loc-formstate-run LEFT TOP WIDTH HEIGHT  the same, then moves the form there before it closes
//   loc-formstate-run maximized              the same, then maximizes the form before it closes
// The printed line is "LEFT TOP WIDTH HEIGHT STATE" (STATE Normal, Minimized or Maximized).

#include "i18n/state/LocFormStorage.h"
#include "platform/classes/ClassRegistry.h"
#include "platform/classes/Streaming.h"
#include "platform/forms/Forms.h"

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

namespace {

class TStoredForm : public TForm {
    Q4_CLASS(TStoredForm, TForm)
    explicit TStoredForm(TComponent* owner) : TForm(owner) {}
};

const char* const Description = "object StoredForm: TStoredForm\r\n"
                                "  Left = 100\r\n  Top = 80\r\n  Width = 300\r\n  Height = 200\r\n"
                                "  object Storage: TLocFormStorage\r\n"
                                "    SubKey = 'Software\\Quorvan\\StoredForm'\r\n"
                                "  end\r\nend\r\n";

const char* StateText(TWindowState state) {
    return state == wsMaximized ? "Maximized" : state == wsMinimized ? "Minimized" : "Normal";
}

} // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    TApplication app(argc, argv);
    InitFormStorageClasses();
    RegisterClasses<TStoredForm>();
    auto* form = new TStoredForm(nullptr);
    ReadComponentDescription(Description, form);
    std::printf("%d %d %d %d %s\n", form->Left(), form->Top(), form->Width(), form->Height(),
                StateText(form->WindowState()));
    if (argc == 5)
        form->SetBounds(std::atoi(argv[1]), std::atoi(argv[2]), std::atoi(argv[3]),
                        std::atoi(argv[4]));
    else if (argc == 2 && std::string(argv[1]) == "maximized")
        form->SetWindowState(wsMaximized);
    form->Free();
    return 0;
}
