#include <cstdio>

int main()
{
    std::fputs("vantrel-gen: no commands yet\n", stderr);
    return 2;
}
