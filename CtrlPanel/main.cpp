// Program entry.
#include <cstdio>

int main()
{
    printf("VelbrinControl: not complete yet.\n");
    return 0;
}
