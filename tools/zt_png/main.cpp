// zt-png-squeeze FROM TO: the picture FROM as a small PNG in TO (see png_squeeze.h).
#include <cstdio>

#include "tools/zt_png/png_squeeze.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fputs("usage: zt-png-squeeze FROM.png TO.png\n"
                   "Writes FROM with at most 256 colours and the strongest compression to TO.\n"
                   "Exit codes: 0 written, 2 usage or failure.\n",
                   stderr);
        return 2;
    }
    const QString problem = zt::tools::squeeze_png(QString::fromLocal8Bit(argv[1]), QString::fromLocal8Bit(argv[2]));
    if (!problem.isEmpty()) {
        std::fprintf(stderr, "zt-png-squeeze: %s\n", problem.toLocal8Bit().constData());
        return 2;
    }
    return 0;
}
