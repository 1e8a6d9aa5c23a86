#include "synth/note2freq.h"

#include <cmath>

double NOTE2FREQ[NOTE2FREQ_SIZE];

void fill_NOTE2FREQ()
{
    for (int k = 0; k < NOTE2FREQ_SIZE; ++k) {
        float e = (float)(k + 11) / 12.0f;
        float p = powf(2.0f, e);
        NOTE2FREQ[k] = 8.1757989 * (double)p;
    }
}
