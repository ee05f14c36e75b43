// The five sounds, synthesised:
//
//  - bells (Zvonek, Zvonky) by modal synthesis: a sum of decaying sine
//    partials at the inharmonic ratios of a cast bell, each split into two
//    slightly detuned modes so that it beats, with a short noisy strike;
//  - harps (Harfa1, Harfa2) as plucked strings: harmonics shaped by the
//    pluck point, the higher ones weaker and shorter-lived;
//  - thunder (Hrom) from noise: a bright crack, then rolls of low-passed
//    brown noise that swell and die away one over another.
//
// Each sound is mixed in floating point, normalised, faded out at its end
// and written as unsigned 8-bit samples with triangular dither.

#include "Generator.h"
#include "Noise.h"
#include <QVector>
#include <algorithm>
#include <cmath>

namespace Gen {
namespace {

using Buffer = QVector<double>;

int SamplesFor(double seconds) { return int(std::lround(seconds * kSampleRate)); }

// Robert Bristow-Johnson's biquads.
class Biquad {
public:
    static Biquad LowPass(double f, double q) { return Make(f, q, 0); }
    static Biquad BandPass(double f, double q) { return Make(f, q, 1); }
    static Biquad HighPass(double f, double q) { return Make(f, q, 2); }
    double operator()(double x)
    {
        const double y = b0 * x + b1 * x1 + b2 * x2 - a1 * y1 - a2 * y2;
        x2 = x1;
        x1 = x;
        y2 = y1;
        y1 = y;
        return y;
    }

private:
    static Biquad Make(double f, double q, int kind)
    {
        const double w = 2 * M_PI * f / kSampleRate, cw = std::cos(w), alpha = std::sin(w) / (2 * q);
        Biquad b;
        const double a0 = 1 + alpha;
        if (kind == 0) {
            b.b0 = (1 - cw) / 2 / a0;
            b.b1 = (1 - cw) / a0;
            b.b2 = b.b0;
        } else if (kind == 1) {
            b.b0 = alpha / a0;
            b.b1 = 0;
            b.b2 = -alpha / a0;
        } else {
            b.b0 = (1 + cw) / 2 / a0;
            b.b1 = -(1 + cw) / a0;
            b.b2 = b.b0;
        }
        b.a1 = -2 * cw / a0;
        b.a2 = (1 - alpha) / a0;
        return b;
    }
    double b0 = 1, b1 = 0, b2 = 0, a1 = 0, a2 = 0, x1 = 0, x2 = 0, y1 = 0, y2 = 0;
};

struct Partial {
    double ratio, amplitude, t60; // t60: seconds to fall by 60 dB
};

// One struck bell added into the buffer at `start` seconds.
void StrikeBell(Buffer &out, double start, double fundamental, const QVector<Partial> &partials, double gain,
                double beat, double knockLevel, Random &random)
{
    const int first = SamplesFor(start);
    for (const Partial &p : partials) {
        const double f = fundamental * p.ratio;
        if (f > kSampleRate * 0.45)
            continue;
        const double decay = 6.9078 / p.t60; // ln(1000)
        // Two modes a fraction of a hertz apart: the slow beating of a real bell.
        const double split = beat * random.range(0.4, 1.2);
        const double phase1 = random.range(0, 2 * M_PI), phase2 = random.range(0, 2 * M_PI);
        for (int i = first; i < out.size(); ++i) {
            const double t = double(i - first) / kSampleRate;
            const double env = std::exp(-decay * t);
            if (env < 1e-4)
                break;
            const double attack = std::min(1.0, t / 0.0015);
            const double v = 0.5 * (std::sin(2 * M_PI * (f - split / 2) * t + phase1)
                                    + std::sin(2 * M_PI * (f + split / 2) * t + phase2));
            out[i] += gain * p.amplitude * env * attack * v;
        }
    }
    // The clapper's knock: a few milliseconds of band-passed noise.
    Biquad knock = Biquad::BandPass(fundamental * 3.0, 1.2);
    for (int i = first; i < std::min<int>(out.size(), first + SamplesFor(0.03)); ++i) {
        const double t = double(i - first) / kSampleRate;
        out[i] += gain * knockLevel * std::exp(-t / 0.004) * knock(random.range(-1, 1));
    }
}

// A plucked string as a sum of its harmonics. A string plucked a fifth of
// the way along lacks every fifth harmonic; higher harmonics start weaker
// and die sooner, and a stiff string stretches them a little sharp.
void Pluck(Buffer &out, double start, double frequency, double gain, double brightness, double t60,
           Random &random)
{
    const int first = SamplesFor(start);
    const double exponent = 2.0 - brightness; // 1.2 bright .. 1.9 soft
    const double shorter = std::min(1.0, std::sqrt(262.0 / frequency));
    for (int k = 1; k <= 24; ++k) {
        const double f = frequency * k * std::sqrt(1.0 + 0.00008 * k * k);
        if (f > kSampleRate * 0.45)
            break;
        const double amplitude = std::abs(std::sin(M_PI * k * 0.2)) / std::pow(k, exponent) / 0.588;
        const double decay = 6.9078 / (t60 * shorter / (1.0 + 0.25 * (k - 1)));
        // A rotating phasor: one complex multiply per sample instead of a sine.
        const double w = 2 * M_PI * f / kSampleRate;
        const double cr = std::cos(w), ci = std::sin(w);
        const double phase = random.range(0, 0.3);
        double re = std::cos(phase), im = std::sin(phase);
        const double fall = std::exp(-decay / kSampleRate);
        double env = gain * amplitude;
        for (int i = first; i < out.size() && env > 1e-5; ++i) {
            const double attack = std::min(1.0, (i - first) / (0.002 * kSampleRate));
            out[i] += env * attack * im;
            const double nr = re * cr - im * ci;
            im = re * ci + im * cr;
            re = nr;
            env *= fall;
        }
    }
    // The finger leaving the string: a short soft scrape.
    Biquad scrape = Biquad::BandPass(2500, 1.5);
    for (int i = first; i < std::min<int>(out.size(), first + SamplesFor(0.02)); ++i) {
        const double t = double(i - first) / kSampleRate;
        out[i] += gain * 0.08 * brightness * std::exp(-t / 0.005) * scrape(random.range(-1, 1));
    }
}

double Note(int semitonesFromA4) { return 440.0 * std::pow(2.0, semitonesFromA4 / 12.0); }

QByteArray ToUnsigned8(Buffer buffer, double fadeSeconds)
{
    // Gentle high-pass: no offset, no rumble below what a speaker plays.
    Biquad dc = Biquad::HighPass(25, 0.7);
    for (double &v : buffer)
        v = dc(v);
    double peak = 1e-9;
    for (double v : buffer)
        peak = std::max(peak, std::abs(v));
    const int fade = std::min<int>(buffer.size(), SamplesFor(fadeSeconds));
    QByteArray out(buffer.size(), char(128));
    Random dither(4242);
    for (int i = 0; i < buffer.size(); ++i) {
        double v = buffer[i] / peak * 0.92;
        const int fromEnd = buffer.size() - 1 - i;
        if (fromEnd < fade)
            v *= 0.5 - 0.5 * std::cos(M_PI * fromEnd / fade);
        if (i < 40)
            v *= i / 40.0;
        const double sample = 128.0 + 127.0 * v + (dither.uniform() - dither.uniform());
        out[i] = char(qBound(0, int(std::lround(sample)), 255));
    }
    return out;
}

QByteArray Zvonek()
{
    Buffer out(SamplesFor(4.39));
    Random random(501);
    // A bronze bell tuned to about F#4: hum, prime, tierce, quint, nominal and the higher partials.
    const QVector<Partial> bell = {{0.50, 0.55, 9.0}, {1.00, 0.70, 7.0}, {1.19, 0.55, 6.0}, {1.50, 0.25, 4.5},
                                   {2.00, 1.00, 5.5}, {2.51, 0.35, 3.2}, {2.66, 0.30, 2.8}, {3.01, 0.25, 2.2},
                                   {4.07, 0.20, 1.5}, {5.32, 0.12, 1.0}, {6.60, 0.08, 0.7}};
    StrikeBell(out, 0.0, 370.0, bell, 1.0, 1.3, 0.06, random);
    return ToUnsigned8(out, 0.6);
}

QByteArray Zvonky()
{
    Buffer out(SamplesFor(2.83));
    Random random(502);
    // Small bells: bright and short, struck one after another in a little cascade.
    const QVector<Partial> small = {{1.00, 1.00, 1.5}, {2.32, 0.45, 0.9}, {4.25, 0.25, 0.5}, {6.63, 0.12, 0.3}};
    // Pentatonic notes around two octaves above A4.
    const int steps[] = {19, 22, 24, 27, 29, 31, 34, 36};
    const double times[] = {0.00, 0.11, 0.19, 0.31, 0.40, 0.55, 0.68, 0.86, 1.02, 1.25};
    const int order[] = {7, 5, 6, 3, 4, 1, 2, 0, 4, 7};
    for (int i = 0; i < 10; ++i) {
        const double f = Note(steps[order[i]]) * random.range(0.997, 1.003);
        StrikeBell(out, times[i] + random.range(0, 0.015), f, small, random.range(0.55, 1.0), 3.0, 0.3, random);
    }
    return ToUnsigned8(out, 0.5);
}

QByteArray Harfa1()
{
    Buffer out(SamplesFor(3.33));
    Random random(503);
    // A rising arpeggio over C major with an added ninth, the last note ringing on.
    const int notes[] = {-21, -17, -14, -9, -5, -2, 3, 7, 10, 14, 15};
    for (int i = 0; i < 11; ++i) {
        const double f = Note(notes[i]);
        Pluck(out, 0.02 + i * 0.105, f, 1.0 - i * 0.03, 0.4, 3.4, random);
    }
    return ToUnsigned8(out, 0.45);
}

QByteArray Harfa2()
{
    Buffer out(SamplesFor(2.61));
    Random random(504);
    // A quick falling glissando on the A minor pentatonic, then a low A and E together.
    const int notes[] = {24, 22, 19, 17, 15, 12, 10, 7, 5, 3, 0, -2, -5, -7};
    for (int i = 0; i < 14; ++i)
        Pluck(out, 0.01 + i * 0.055, Note(notes[i]), 0.8, 0.75, 2.2, random);
    Pluck(out, 0.01 + 14 * 0.055 + 0.12, Note(-24), 1.1, 0.5, 3.0, random);
    Pluck(out, 0.01 + 14 * 0.055 + 0.14, Note(-17), 0.9, 0.5, 3.0, random);
    return ToUnsigned8(out, 0.5);
}

QByteArray Hrom()
{
    const int n = SamplesFor(4.64);
    Buffer out(n);
    Random random(505);
    // The crack of a near strike: bright noise that dies within a fifth of a second.
    Biquad crackTone = Biquad::HighPass(900, 0.7);
    for (int i = 0; i < SamplesFor(0.35); ++i) {
        const double t = double(i) / kSampleRate;
        const double env = std::min(1.0, t / 0.003) * std::exp(-t / 0.06);
        out[i] += 0.9 * env * crackTone(random.range(-1, 1));
    }
    // Rolls: swells of low rumble, each with a grumble in the middle range
    // that small speakers can play too.
    struct Roll {
        double start, rise, fall, level;
    };
    const Roll rolls[] = {{0.02, 0.06, 0.45, 1.0}, {0.40, 0.20, 0.55, 0.85}, {0.95, 0.25, 0.7, 1.0},
                          {1.70, 0.30, 0.6, 0.6}, {2.30, 0.35, 0.8, 0.5}, {3.10, 0.40, 0.7, 0.3}};
    Biquad low1 = Biquad::LowPass(160, 0.7), low2 = Biquad::LowPass(220, 0.6);
    Biquad mid1 = Biquad::BandPass(320, 0.9), mid2 = Biquad::LowPass(700, 0.7);
    Biquad grit = Biquad::BandPass(1400, 1.0);
    double brown = 0;
    const PeriodicNoise flutter(506);
    for (int i = 0; i < n; ++i) {
        const double t = double(i) / kSampleRate;
        brown = 0.996 * brown + 0.05 * random.range(-1, 1);
        double level = 0;
        for (const Roll &r : rolls) {
            if (t < r.start)
                continue;
            const double dt = t - r.start;
            level += r.level * (dt < r.rise ? std::sin(M_PI / 2 * dt / r.rise) : std::exp(-(dt - r.rise) / r.fall));
        }
        // The rumble flutters as echoes from near and far clouds come and go.
        const double wobble = 0.55 + 0.45 * (0.5 + 0.5 * flutter.at(t * 12, 0.5, 64, 1));
        const double white = random.range(-1, 1);
        const double rumble = low2(low1(brown)) * 8.0 + mid2(mid1(white)) * 2.2;
        const double crackle = grit(white) * std::exp(-t / 0.7) * 0.5 * (flutter.at(t * 40, 0.2, 256, 1) > 0.3);
        out[i] += level * wobble * rumble + level * crackle;
    }
    return ToUnsigned8(out, 0.8);
}

} // namespace

QByteArray Sound(const QString &name)
{
    if (name == u"Zvonky")
        return Zvonky();
    if (name == u"Zvonek")
        return Zvonek();
    if (name == u"Harfa1")
        return Harfa1();
    if (name == u"Harfa2")
        return Harfa2();
    if (name == u"Hrom")
        return Hrom();
    return {};
}

} // namespace Gen
