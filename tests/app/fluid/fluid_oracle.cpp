#include "tests/app/fluid/fluid_oracle.hpp"

#include <algorithm>
#include <cmath>
#include <cstddef>

#include "app/fluid/tone_map.hpp"
#include "runtime/bounded_math.hpp"

namespace tamo {
namespace {

constexpr int jacobi_sweeps = 28;
constexpr float splat_radius_squared = 64.0f;
constexpr float velocity_limit = 80.0f;
constexpr float dye_limit = 12.0f;
constexpr float dt_limit = 12.5f;
constexpr float velocity_keep = 0.998f;
constexpr float dye_fade = 0.08f;
constexpr float bright_threshold = 0.8f;
constexpr float bloom_strength = 0.65f;
constexpr float blue_lift = 0.006f;
constexpr float bloom_kernel[5] = {1.0f, 4.0f, 6.0f, 4.0f, 1.0f};

}  // namespace

fluid_oracle::fluid_oracle() : width(96), height(64) {
    fluid_oracle::reset();
}

fluid_oracle::~fluid_oracle() = default;

void fluid_oracle::reset() {
    const std::size_t cells = static_cast<std::size_t>(width) * height;
    for (field* f : {&u, &v, &dye_red, &dye_green, &dye_blue}) {
        f->clear();
        f->resize(cells, 0.0f);
    }
}

float fluid_oracle::sample(const field& values, float x, float y) {
    x = bounded_clamp(x, 0.5f, static_cast<float>(width) - 1.5f);
    y = bounded_clamp(y, 0.5f, static_cast<float>(height) - 1.5f);
    const int i0 = static_cast<int>(std::floor(x));
    const int j0 = static_cast<int>(std::floor(y));
    const float tx = x - static_cast<float>(i0);
    const float ty = y - static_cast<float>(j0);
    const std::size_t k = static_cast<std::size_t>(j0) * width + i0;
    return (values[k + 1] * tx + values[k] * (1.0f - tx)) * (1.0f - ty) +
           (tx * values[k + width + 1] + (1.0f - tx) * values[k + width]) * ty;
}

void fluid_oracle::splat(float x, float y, float vx, float vy, float red, float green, float blue) {
    for (int i = 1; i < height - 1; ++i) {
        for (int j = 1; j < width - 1; ++j) {
            const float dx = static_cast<float>(j) - x;
            const float dy = static_cast<float>(i) - y;
            const float d2 = dx * dx + dy * dy;
            if (!(d2 < splat_radius_squared)) {
                continue;
            }
            const float fall = 1.0f - d2 * 0.015625f;
            const float w = fall * fall;
            const std::size_t k = static_cast<std::size_t>(i) * width + j;
            u[k] = bounded_clamp(w * vx + u[k], -velocity_limit, velocity_limit);
            v[k] = bounded_clamp(vy * w + v[k], -velocity_limit, velocity_limit);
            dye_red[k] = bounded_clamp(red * w + dye_red[k], 0.0f, dye_limit);
            dye_green[k] = bounded_clamp(green * w + dye_green[k], 0.0f, dye_limit);
            dye_blue[k] = bounded_clamp(dye_blue[k] + w * blue, 0.0f, dye_limit);
        }
    }
}

void fluid_oracle::zero_boundary_velocity() {
    for (int i = 0; i < height; ++i) {
        for (const int j : {0, width - 1}) {
            const std::size_t k = static_cast<std::size_t>(i) * width + j;
            u[k] = 0.0f;
            v[k] = 0.0f;
        }
    }
    for (int j = 0; j < width; ++j) {
        for (const int i : {0, height - 1}) {
            const std::size_t k = static_cast<std::size_t>(i) * width + j;
            u[k] = 0.0f;
            v[k] = 0.0f;
        }
    }
}

float fluid_oracle::divergence_energy() {
    float sum = 0.0f;
    for (int i = 1; i < height - 1; ++i) {
        for (int j = 1; j < width - 1; ++j) {
            const std::size_t k = static_cast<std::size_t>(i) * width + j;
            const float div = 0.5f * (u[k + 1] - u[k - 1] + v[k + width] - v[k - width]);
            sum += div * div;
        }
    }
    return sum / static_cast<float>(width * height);
}

void fluid_oracle::project() {
    zero_boundary_velocity();
    field divergence(u.size(), 0.0f);
    field pressure(u.size(), 0.0f);
    for (int i = 1; i < height - 1; ++i) {
        for (int j = 1; j < width - 1; ++j) {
            const std::size_t k = static_cast<std::size_t>(i) * width + j;
            divergence[k] = (u[k + 1] - u[k - 1] + v[k + width] - v[k - width]) * 0.5f;
        }
    }
    for (int sweep = 0; sweep < jacobi_sweeps; ++sweep) {
        field next = pressure;
        for (int i = 1; i < height - 1; ++i) {
            for (int j = 1; j < width - 1; ++j) {
                const std::size_t k = static_cast<std::size_t>(i) * width + j;
                next[k] = (((pressure[k - 1] + pressure[k + 1]) + pressure[k - width]) +
                           pressure[k + width] - divergence[k]) *
                          0.25f;
            }
        }
        pressure = next;
    }
    for (int i = 1; i < height - 1; ++i) {
        for (int j = 1; j < width - 1; ++j) {
            const std::size_t k = static_cast<std::size_t>(i) * width + j;
            u[k] -= (pressure[k + 1] - pressure[k - 1]) * 0.5f;
            v[k] -= (pressure[k + width] - pressure[k - width]) * 0.5f;
        }
    }
    zero_boundary_velocity();
}

void fluid_oracle::step(float dt) {
    dt = bounded_clamp(dt, 0.0f, dt_limit);
    const field old_u = u;
    const field old_v = v;
    for (int i = 1; i < height - 1; ++i) {
        for (int j = 1; j < width - 1; ++j) {
            const std::size_t k = static_cast<std::size_t>(i) * width + j;
            const float x = static_cast<float>(j) - old_u[k] * dt;
            const float y = static_cast<float>(i) - old_v[k] * dt;
            u[k] = sample(old_u, x, y) * velocity_keep;
            v[k] = sample(old_v, x, y) * velocity_keep;
        }
    }
    project();
    const field old_red = dye_red;
    const field old_green = dye_green;
    const field old_blue = dye_blue;
    const float fade = 1.0f - dye_fade * dt;
    for (int i = 1; i < height - 1; ++i) {
        for (int j = 1; j < width - 1; ++j) {
            const std::size_t k = static_cast<std::size_t>(i) * width + j;
            const float x = static_cast<float>(j) - u[k] * dt;
            const float y = static_cast<float>(i) - v[k] * dt;
            dye_red[k] = sample(old_red, x, y) * fade;
            dye_green[k] = sample(old_green, x, y) * fade;
            dye_blue[k] = sample(old_blue, x, y) * fade;
        }
    }
}

fluid_oracle::field fluid_oracle::bloom(const field& values) {
    field across;
    across.reserve(values.size());
    for (int i = 0; i < height; ++i) {
        for (int j = 0; j < width; ++j) {
            float sum = 0.0f;
            for (int l = 0; l < 5; ++l) {
                const int c = std::clamp(j - 4 + 2 * l, 0, width - 1);
                const float g = values[static_cast<std::size_t>(i) * width + c] - bright_threshold;
                const float bright = g > 0.0f ? g : 0.0f;
                sum += bright * bloom_kernel[l];
            }
            across.push_back(sum * 0.0625f);
        }
    }
    field result;
    result.reserve(values.size());
    for (int i = 0; i < height; ++i) {
        for (int j = 0; j < width; ++j) {
            float sum = 0.0f;
            for (int l = 0; l < 5; ++l) {
                const int r = std::clamp(i - 4 + 2 * l, 0, height - 1);
                sum += across[static_cast<std::size_t>(r) * width + j] * bloom_kernel[l];
            }
            result.push_back(sum * 0.0625f);
        }
    }
    return result;
}

void fluid_oracle::render(array_handle pixels, float exposure, bool bloom_on) {
    const field glow_red = bloom(dye_red);
    const field glow_green = bloom(dye_green);
    const field glow_blue = bloom(dye_blue);
    const float weight = bloom_on ? bloom_strength : 0.0f;
    const std::uint64_t cells = static_cast<std::uint64_t>(width) * height;
    const std::uint64_t count = std::min(pixels.element_count(), cells);
    std::uint32_t* words = pixels.data();
    for (std::uint64_t i = 0; i < count; ++i) {
        const std::uint32_t red = tone_map_channel(glow_red[i] * weight + dye_red[i], exposure);
        const std::uint32_t green =
            tone_map_channel(glow_green[i] * weight + dye_green[i], exposure);
        const std::uint32_t blue =
            tone_map_channel((glow_blue[i] * weight + dye_blue[i]) + blue_lift, exposure);
        words[i] = 0xFF000000u | red << 16 | green << 8 | blue;
    }
}

}  // namespace tamo
