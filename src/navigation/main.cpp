#include <cstdio>

int main() {
    std::puts("lunarfix: the navigation dialog is not built yet.");
    return 0;
}
