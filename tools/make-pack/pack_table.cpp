// The puzzles of the bundled pack, their hidden words and the seeds their
// solutions are drawn from. Each seed is the first one, counting up, that
// gives a working level; orvet-make-pack says so when one has to move.
#include "make-pack/pack_builder.h"

const std::vector<PackPuzzle> packPuzzles = {
    {"01-pocetak.zag",
     {
         {"сир", 1, false, 101},
         {"кућа", 1, false, 102},
         {"море", 1, false, 103},
         {"река", 2, false, 104},
         {"шума", 2, false, 105},
         {"сунце", 2, false, 106},
     }},
    {"02-krivine.zag",
     {
         {"облаци", 3, false, 201},
         {"планина", 3, false, 202},
         {"ливада", 4, false, 203},
         {"ђурђевак", 4, false, 204},
         {"лубеница", 5, false, 205},
         {"ластавица", 5, false, 207},
         {"учитељица", 6, false, 207},
         {"пчеларство", 6, false, 208},
     }},
    {"03-privlacenje.zag",
     {
         {"месец", 1, true, 301},
         {"звезда", 1, true, 303},
         {"жаба", 2, true, 303},
         {"фењер", 2, true, 304},
         {"магнет", 2, true, 305},
         {"вртлог", 3, true, 306},
         {"привлачење", 3, true, 307},
     }},
};
