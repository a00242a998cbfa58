#include "ui/shell/app_start.h"

int main(int argc, char** argv) {
    return RunApplication(argc, argv);
}
