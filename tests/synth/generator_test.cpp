// Lookups by name and the evaluation order of one sample.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "synth/generator.h"
#include "synth/note2freq.h"

namespace {

class Generator : public ::testing::Test {
protected:
    void SetUp() override { fill_NOTE2FREQ(); }
    void TearDown() override { g.release_modules(); }

    template <typename Module> Module *add(MODULE_LIST<Module> &list, const char *name)
    {
        Module *m = new Module();
        std::strcpy(m->name, name);
        list.push_back(m);
        return m;
    }
    VCO *add_vco(const char *name, float freq, type_generateur type)
    {
        VCO *v = new VCO(1.0f, freq, type);
        std::strcpy(v->name, name);
        g.oscillators.push_back(v);
        return v;
    }

    GENERATOR g;
};

} // namespace

TEST_F(Generator, LookupsMatchWholeCaseSensitiveNamesFirstDeclaredWins)
{
    MIXER *first = add(g.mixers, "MIXER_4");
    add(g.mixers, "MIXER_4");
    add(g.mixers, "MIXER_40");
    EXPECT_EQ(g.get_MIXER_by_name("MIXER_4"), first);
    EXPECT_EQ(g.get_MIXER_by_name("mixer_4"), nullptr);
    EXPECT_EQ(g.get_MIXER_by_name("MIXER"), nullptr);
    EXPECT_EQ(g.get_VCO_by_name("MIXER_4"), nullptr);
    EXPECT_EQ(g.get_VCA_by_name("VCA_1"), nullptr);
    EXPECT_EQ(g.get_PCF_by_name("PCF_1"), nullptr);
    EXPECT_EQ(g.get_SAMPLER_by_name("SAMPLER_1"), nullptr);
    EXPECT_EQ(g.get_SEQUENCER_by_name("SEQUENCER_1"), nullptr);
}

TEST_F(Generator, SingleKeyboardAnswersToAnyName)
{
    EXPECT_EQ(g.get_KEYBOARD_by_name("KEY_1"), nullptr);
    KEYBOARD *only = add(g.keyboards, "KEYBOARD_MAIN");
    EXPECT_EQ(g.get_KEYBOARD_by_name("KEY_1"), only);
    KEYBOARD *second = add(g.keyboards, "KEY_1");
    EXPECT_EQ(g.get_KEYBOARD_by_name("KEY_1"), second);
    EXPECT_EQ(g.get_KEYBOARD_by_name("KEY_2"), nullptr);
}

TEST_F(Generator, EarlierListsAreHeardInTheSameSampleLaterOnesOneSampleLate)
{
    VCO *saw = add_vco("VCO_1", 44100.0f, SAW); // 1, -1, 0, 1, ...
    MIXER *direct = add(g.mixers, "MIXER_A");
    direct->ajoute_en_entree(saw, -1);
    SFX_DELAY *delay = new SFX_DELAY();
    delay->INPUT::source = &saw->value;
    g.delays.push_back(delay);
    MIXER *late = add(g.mixers, "MIXER_B");
    late->ajoute_en_entree(delay, -1);

    const float saw_out[] = {1.0f, -1.0f, 0.0f, 1.0f};
    float previous = 0.0f;
    for (float expected : saw_out) {
        g.evaluate_one_sample();
        EXPECT_FLOAT_EQ(direct->value, expected) << "oscillators come before mixers";
        EXPECT_FLOAT_EQ(late->value, previous) << "delays come after mixers";
        EXPECT_FLOAT_EQ(delay->value, expected);
        previous = expected;
    }
}

TEST_F(Generator, KeyboardDrivesAnOscillatorInTheSameSample)
{
    KEYBOARD *kb = add(g.keyboards, "KEY_1");
    VCO *v = add_vco("VCO_1", 88.0f, SAW);
    v->INPUT::source = &kb->value;
    kb->Touch_note(10, 10);
    g.evaluate_one_sample();
    // f = pitch * 88 / 44, so position advances by 2 * pitch / 44100.
    EXPECT_NEAR(v->position, 2.0 * NOTE2FREQ[4 * 12 + 10] / 44100.0, 1e-6);
}

TEST_F(Generator, EvolueOfTheGeneratorItselfCarriesNoSignal)
{
    g.value = 3.0f;
    EXPECT_EQ(g.evolue(), 1);
    EXPECT_EQ(g.value, 0.0f);
}
