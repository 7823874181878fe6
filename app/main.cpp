#include <cstdio>

#include "app/Shell.h"

int main(int argc, char** argv) { return vorn::shell::main(argc, argv); }
