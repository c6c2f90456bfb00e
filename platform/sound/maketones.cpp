// Writes the game's tones as WAV files (16-bit mono PCM) into the folder given, at build
// time, so the sounds are our own and need no file in the source tree.
#include <cmath>
#include <cstdint>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

namespace {

constexpr int kRate = 22050;

struct Note {
    double hertz; // 0: a rest
    double seconds;
};

// Sine notes with a soft start and an exponential fade, plus a little of the octave for body.
std::vector<int16_t> render(const std::vector<Note> &notes, double volume)
{
    std::vector<int16_t> samples;
    for (const Note &note : notes) {
        const int count = int(note.seconds * kRate);
        for (int i = 0; i < count; ++i) {
            const double t = double(i) / kRate;
            const double attack = std::min(1.0, t / 0.005);
            const double fade = std::exp(-4.0 * t / note.seconds);
            const double wave = std::sin(2 * M_PI * note.hertz * t) + 0.25 * std::sin(4 * M_PI * note.hertz * t);
            const double v = note.hertz > 0 ? volume * attack * fade * wave / 1.25 : 0.0;
            samples.push_back(int16_t(std::lround(v * 32767)));
        }
    }
    return samples;
}

void put(std::ofstream &out, uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.put(char((value >> (8 * i)) & 0xff));
}

bool writeWav(const std::string &path, const std::vector<int16_t> &samples)
{
    std::ofstream out(path, std::ios::binary);
    const uint32_t data = uint32_t(samples.size() * 2);
    out.write("RIFF", 4);
    put(out, 36 + data, 4);
    out.write("WAVEfmt ", 8);
    put(out, 16, 4); // format chunk size
    put(out, 1, 2);  // PCM
    put(out, 1, 2);  // mono
    put(out, kRate, 4);
    put(out, kRate * 2, 4); // bytes per second
    put(out, 2, 2);         // bytes per frame
    put(out, 16, 2);        // bits per sample
    out.write("data", 4);
    put(out, data, 4);
    for (int16_t s : samples)
        put(out, uint16_t(s), 2);
    return bool(out);
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc != 2) {
        std::cerr << "usage: maketones <output folder>\n";
        return 2;
    }
    const std::string dir = argv[1];
    const struct {
        const char *name;
        std::vector<Note> notes;
        double volume;
    } tones[] = {
        {"countdown", {{880, 0.18}}, 0.5},
        {"countdown-last", {{1760, 0.45}}, 0.5},
        {"accepted", {{1046.5, 0.07}, {1568, 0.12}}, 0.35},
        {"rejected", {{233, 0.12}, {196, 0.2}}, 0.5},
        {"time-up", {{1568, 0.15}, {1318.5, 0.15}, {1046.5, 0.15}, {784, 0.5}}, 0.45},
    };
    for (const auto &tone : tones) {
        const std::string path = dir + "/" + tone.name + ".wav";
        if (!writeWav(path, render(tone.notes, tone.volume))) {
            std::cerr << "maketones: cannot write " << path << "\n";
            return 1;
        }
    }
    return 0;
}
