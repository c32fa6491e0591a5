// quorvan4-formconv: converts a form description between its text and binary forms.
//
//     quorvan4-formconv --to-binary|--to-text IN OUT
//
// Either form is accepted as input; the output is written only when the conversion succeeds.
// Exit status: 0 done, 1 the input is not a valid description or a file failed, 2 usage.

#include "platform/classes/ObjectText.h"
#include "platform/rtl/Exception.h"
#include "platform/rtl/Streams.h"

#include <cstdio>
#include <string>
#include <string_view>

namespace {

int Usage() {
    std::fputs("usage: quorvan4-formconv --to-binary|--to-text IN OUT\n", stderr);
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 4)
        return Usage();
    const std::string_view mode = argv[1];
    if (mode != "--to-binary" && mode != "--to-text")
        return Usage();
    try {
        TMemoryStream input;
        input.LoadFromFile(argv[2]);
        std::string bytes = input.ReadToEnd();
        // Normalise through the binary form, which checks the whole description.
        std::string binary = IsBinaryDescription(bytes) ? bytes : ObjectTextToBinary(bytes);
        std::string text = ObjectBinaryToText(binary);
        if (mode == "--to-binary")
            binary = ObjectTextToBinary(text);
        TStringStream output(mode == "--to-binary" ? binary : text);
        output.SaveToFile(argv[3]);
    } catch (const Exception& e) {
        std::fprintf(stderr, "quorvan4-formconv: %s: %s\n", argv[2], e.what());
        return 1;
    }
    return 0;
}
