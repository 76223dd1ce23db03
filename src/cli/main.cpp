// marrowvale-cli: the command-line front end of Marrowvale.
#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], "--version") == 0) {
        std::printf("marrowvale-cli %s\n", MARROWVALE_VERSION);
        return 0;
    }
    std::fprintf(stderr, "usage: marrowvale-cli [options] INPUT\n");
    return 1;
}
