#include <cstdio>

int main()
{
    std::printf("qmodular: start-up is not built yet\n");
    return 0;
}
