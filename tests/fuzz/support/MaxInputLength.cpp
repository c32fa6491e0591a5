// Raises the fuzzer's input limit for a target whose faults need long inputs (deep nesting):
// adds -max_len=Q4_FUZZ_MAX_LEN to the command line unless it already sets one.

#include <cstring>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    for (int i = 1; i < *argc; ++i) {
        if (std::strncmp((*argv)[i], "-max_len=", 9) == 0)
            return 0;
    }
    // The fuzzer keeps the pointers for the whole run.
    static std::string flag = "-max_len=" + std::to_string(Q4_FUZZ_MAX_LEN);
    static std::vector<char*> args;
    args.assign(*argv, *argv + *argc);
    args.push_back(flag.data());
    args.push_back(nullptr);
    *argc = static_cast<int>(args.size()) - 1;
    *argv = args.data();
    return 0;
}
