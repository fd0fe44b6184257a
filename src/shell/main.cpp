#include "shell/startup.h"

int main(int argc, char** argv) {
    return tb::RunTinderbridge(argc, argv);
}
