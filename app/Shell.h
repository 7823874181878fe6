#pragma once
// The command line of the client: headless script runs, the tour, the window.
namespace vorn::shell {
int main(int argc, char** argv);
}
