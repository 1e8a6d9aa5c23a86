// Writing the running patch as a patch file: the module section from the
// generator, then the link section from the module panels, each connection
// described as the panels see it. The link writers ask the cable model which
// panel owns each source, so they live here with it: the patch library, which
// reads patch files, must not depend on the panels.
#pragma once

#include <cstddef>
#include <cstdio>

#include "panels/mixer_gui.h"
#include "panels/sampler_gui.h"
#include "panels/vca_gui.h"
#include "panels/vcf_gui.h"
#include "panels/vco_gui.h"

// Each writes one line: the module's name and ';', then "KEY=SOURCE;" for each
// bound input whose source's panel is of a class that the key accepts, then
// '\n'. Each returns 1.
//   VCO:     IN (any module), MOD_AMP, MOD_FREQ, MOD_PHASE, MOD_PWM (oscillator,
//            sampler, amplifier, filter, mixer), GATE, SYNC (keyboard, sequencer)
//   VCF and SAMPLER: the same without MOD_PWM
//   VCA:     IN (oscillator, sequencer, filter, sampler, mixer), GATE (keyboard,
//            sequencer)
//   MIXER:   ADD_CHANELL once per connected channel, in channel order (any
//            module but a keyboard)
// The reader binds fewer pairs than these accept: such a link is written and
// not made again when the file is read (an oscillator's IN from another
// oscillator, say).
int treat_link_VCO(VCO_GUI *panel, FILE *file);
int treat_link_VCA(VCA_GUI *panel, FILE *file);
int treat_link_VCF(VCF_GUI *panel, FILE *file);
int treat_link_SAMPLER(SAMPLER_GUI *panel, FILE *file);
int treat_link_MIXER(MIXER_GUI *panel, FILE *file);

// The whole patch of gen and objets_globaux: the module section, then
// "BEGIN_LINKS_DECLARE", one line per oscillator, filter, amplifier, mixer and
// sampler panel from the last panel to the first (sequencers and keyboards
// write nothing, so a sequencer's reset link is not saved), the line
// "OUTPUT_1;MIXER_4;" and "END_LINKS_DECLARE". Returns 1.
int write_patch(FILE *file);

// Saves the patch as directory + name ("QSY/" and "DEMO.QSY", or "" and a
// name in the working directory). A refused name (patch_name_problem) writes
// nothing. The patch is written whole to a temporary file in the same
// directory, flushed to the disk, then renamed over the target, so a failed
// save (a full disk, a directory that cannot be written) leaves any earlier
// file as it was. Returns 1 when saved, else 0; either way the outcome is
// printed as one trace line and kept in report.
int save_patch_file(const char *directory, const char *name, char *report, size_t report_size);
