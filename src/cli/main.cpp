#include "cli/cli.h"

#include <clocale>
#include <iostream>

int main(int argc, char** argv) {
    std::setlocale(LC_ALL, "");
    std::vector<std::string> args(argv + 1, argv + argc);
    return tb::cli::Run(args, std::cout, std::cerr);
}
