#pragma once
// Deterministic randomness for the generator: a small hash-based generator
// and gradient noise that repeats after a whole number of lattice cells in
// each direction. Textures sample it over exactly one period across the
// picture, so the picture tiles without a seam.

#include <cmath>
#include <cstdint>

namespace Gen {

inline std::uint32_t Hash(std::uint32_t x)
{
    x ^= x >> 16;
    x *= 0x7feb352dU;
    x ^= x >> 15;
    x *= 0x846ca68bU;
    x ^= x >> 16;
    return x;
}

inline std::uint32_t Hash(std::uint32_t a, std::uint32_t b, std::uint32_t c)
{
    return Hash(a * 0x9E3779B1U ^ Hash(b * 0x85EBCA77U ^ Hash(c + 0xC2B2AE3DU)));
}

// A repeatable stream of numbers, the same on every machine.
class Random {
public:
    explicit Random(std::uint32_t seed) : m_state(Hash(seed + 0x1234567U)) {}
    std::uint32_t next()
    {
        m_state = m_state * 1664525U + 1013904223U;
        return Hash(m_state);
    }
    double uniform() { return (next() >> 8) * (1.0 / 16777216.0); }        // [0, 1)
    double range(double lo, double hi) { return lo + (hi - lo) * uniform(); }
    double gaussian()
    {
        double s = 0;
        for (int i = 0; i < 6; ++i)
            s += uniform();
        return (s - 3.0) * 1.41421356;
    }

private:
    std::uint32_t m_state;
};

inline double Fade(double t) { return t * t * t * (t * (t * 6 - 15) + 10); }
inline double Lerp(double a, double b, double t) { return a + (b - a) * t; }
inline double Clamp01(double v) { return v < 0 ? 0 : v > 1 ? 1 : v; }
inline double Smoothstep(double e0, double e1, double x)
{
    const double t = Clamp01((x - e0) / (e1 - e0));
    return t * t * (3 - 2 * t);
}
inline double Frac(double v) { return v - std::floor(v); }
inline int Wrap(int i, int period) { return ((i % period) + period) % period; }

// Gradient noise in about [-1, 1], periodic with px x py cells.
class PeriodicNoise {
public:
    explicit PeriodicNoise(std::uint32_t seed) : m_seed(seed) {}

    double at(double x, double y, int px, int py) const
    {
        const int x0 = int(std::floor(x)), y0 = int(std::floor(y));
        const double fx = x - x0, fy = y - y0;
        const double n00 = dot(x0, y0, px, py, fx, fy);
        const double n10 = dot(x0 + 1, y0, px, py, fx - 1, fy);
        const double n01 = dot(x0, y0 + 1, px, py, fx, fy - 1);
        const double n11 = dot(x0 + 1, y0 + 1, px, py, fx - 1, fy - 1);
        const double u = Fade(fx), v = Fade(fy);
        return 1.4142 * Lerp(Lerp(n00, n10, u), Lerp(n01, n11, u), v);
    }

    // Fractal sum; (u, v) in [0, 1) span one period of px x py cells at the
    // first octave, and each octave doubles the cells.
    double fbm(double u, double v, int px, int py, int octaves, double gain = 0.5) const
    {
        double sum = 0, amplitude = 1, norm = 0;
        for (int o = 0; o < octaves; ++o) {
            sum += amplitude * at(u * px, v * py, px, py);
            norm += amplitude;
            amplitude *= gain;
            px *= 2;
            py *= 2;
        }
        return sum / norm;
    }

private:
    struct Gradients {
        double x[256], y[256];
        Gradients()
        {
            for (int i = 0; i < 256; ++i) {
                x[i] = std::cos(i * (6.283185307179586 / 256));
                y[i] = std::sin(i * (6.283185307179586 / 256));
            }
        }
    };

    double dot(int ix, int iy, int px, int py, double dx, double dy) const
    {
        static const Gradients g;
        const std::uint32_t h = Hash(std::uint32_t(Wrap(ix, px)), std::uint32_t(Wrap(iy, py)), m_seed) & 255;
        return g.x[h] * dx + g.y[h] * dy;
    }

    std::uint32_t m_seed;
};

} // namespace Gen
