// A plain UTF-16 decode of a whole file into memory, as a process of its own: the baseline a
// rewrite is measured against beside iconv, which streams through small buffers instead.
#include "util/text_file.h"

int main(int argc, char** argv) {
    tb::WideText text;
    return argc == 2 && tb::ReadTextFile(argv[1], text) == 0 && !text.empty() ? 0 : 1;
}
