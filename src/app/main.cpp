#include <cstdio>

int main() {
    std::puts("Trovelin: the window is not built yet; the core libraries and their tests are.");
    return 0;
}
