// orvet-make-pack: writes the bundled puzzle pack.
//
//   orvet-make-pack [DIR]
//
// Builds every puzzle of the pack table from its seeds and writes it into DIR
// (default "puzzles"). The same table always gives the same bytes. Exit
// status 1 when a level finds no working seed or a file cannot be written.
#include <cstdio>
#include <string>
#include <vector>

#include "make-pack/pack_builder.h"
#include "platform/headless/headless.h"
#include "platform/platform.h"

int main(int argc, char** argv) {
    if (argc > 2) {
        std::fprintf(stderr, "usage: orvet-make-pack [DIR]\n");
        return 2;
    }
    const std::string dir = argc == 2 ? argv[1] : "puzzles";
    headlessReset();
    if (!openWindow()) {
        std::fprintf(stderr, "orvet-make-pack: no headless window\n");
        return 1;
    }
    editorMode = true;

    int status = 0;
    for (const PackPuzzle& puzzle : packPuzzles) {
        std::vector<uint32_t> seeds;
        if (!writePackPuzzle(puzzle, dir, seeds)) {
            std::fprintf(stderr,
                         "orvet-make-pack: %s: level %zu has no working seed or the file "
                         "cannot be written\n",
                         puzzle.fileName, seeds.size() + 1);
            status = 1;
            continue;
        }
        std::printf("%s/%s: %zu levels, checksum %u\n", dir.c_str(), puzzle.fileName,
                    puzzle.levels.size(), storedChecksum);
        for (size_t i = 0; i < seeds.size(); ++i) {
            const PackLevel& entry = puzzle.levels[i];
            std::printf("  %zu %s seed %u", i + 1, entry.word, seeds[i]);
            if (seeds[i] != entry.seed) std::printf("  (table says %u: update it)", entry.seed);
            std::printf("\n");
        }
    }
    return status;
}
