#include "app/fluid/fluid_solver.hpp"

#include <algorithm>
#include <cmath>
#include <typeinfo>
#include <utility>

#include "app/fluid/lanes.hpp"
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
constexpr float reach_limit = 1000.0f;  // beyond, no splat reaches the grid

}  // namespace

// The work fields get their full size here, so no frame allocates.
fluid_solver::fluid_solver()
    : width(96),
      height(64),
      old_u_(static_cast<std::size_t>(width) * height, 0.0f),
      old_v_(old_u_),
      old_red_(old_u_),
      old_green_(old_u_),
      old_blue_(old_u_),
      divergence_(old_u_),
      pressure_(old_u_),
      next_pressure_(old_u_),
      bright_(static_cast<std::size_t>(width + 8) * height, 0.0f),
      across_(old_u_),
      glow_red_(old_u_),
      glow_green_(old_u_),
      glow_blue_(old_u_),
      row_points_(interior_groups(width)) {
    fluid_solver::reset();
}

fluid_solver::~fluid_solver() = default;

void fluid_solver::reset() {
    const std::size_t cells = static_cast<std::size_t>(width) * height;
    for (field* f : {&u, &v, &dye_red, &dye_green, &dye_blue}) {
        f->clear();
        f->resize(cells, 0.0f);
    }
}

float fluid_solver::sample(const field& values, float x, float y) {
    return bilinear(values.data(), locate(x, y, width, height), width);
}

// Only the rows and columns within reach of the centre are visited: a cell
// outside them has d2 >= 64, so it would not change. Each cell is then tested
// and changed exactly as the whole grid's loop would.
void fluid_solver::splat(float x, float y, float vx, float vy, float red, float green, float blue) {
    if (!(std::fabs(x) < reach_limit)) {
        return;  // NaN, or too far for any cell
    }
    // Five groups of columns: every column within reach, and no scalar tail.
    const int span = 20;
    const int centre = static_cast<int>(std::floor(x));
    const int first = std::clamp(centre - 9, 1, width - 1 - span);
    const int end = first + span;
    float* const uu = u.data();
    float* const vv = v.data();
    float* const rr = dye_red.data();
    float* const gg = dye_green.data();
    float* const bb = dye_blue.data();
    for (int i = 1; i < height - 1; ++i) {
        const float dy = static_cast<float>(i) - y;
        const float dy2 = dy * dy;
        if (!(dy2 < splat_radius_squared)) {
            continue;
        }
        const int row = i * width;
        for_each_lane_group(first, end, [&](auto lanes, int j) {
            const int k = row + j;
            const auto dx = columns(j, lanes) - x;
            const auto d2 = dx * dx + dy2;
            const auto inside = below(d2, splat_radius_squared);
            const auto fall = 1.0f - d2 * 0.015625f;
            const auto w = fall * fall;
            const auto add = [&](float* f, auto sum, float low, float high) {
                store(f + k, choose(inside, clamp_bounded(sum, low, high), load(f + k, lanes)));
            };
            add(uu, w * vx + load(uu + k, lanes), -velocity_limit, velocity_limit);
            add(vv, vy * w + load(vv + k, lanes), -velocity_limit, velocity_limit);
            add(rr, red * w + load(rr + k, lanes), 0.0f, dye_limit);
            add(gg, green * w + load(gg + k, lanes), 0.0f, dye_limit);
            add(bb, load(bb + k, lanes) + w * blue, 0.0f, dye_limit);
        });
    }
}

void fluid_solver::zero_boundary_velocity() {
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

float fluid_solver::divergence_energy() {
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

// The work fields' boundary cells are never written, so they stay 0. The
// first sweep starts from zero pressure, where the four neighbours sum to
// +0, so it is done with the divergence as (0 - divergence) x 0.25.
void fluid_solver::project() {
    zero_boundary_velocity();
    const int w = width;
    float* const uu = u.data();
    float* const vv = v.data();
    float* const divergence = divergence_.data();
    float* const first_sweep = pressure_.data();
    const float4 four{};
    for_each_interior_group(width, height, [&](int i, int j) {
        const int k = i * w + j;
        const float4 div = (load(uu + k + 1, four) - load(uu + k - 1, four) +
                            load(vv + k + w, four) - load(vv + k - w, four)) *
                           0.5f;
        store(divergence + k, div);
        store(first_sweep + k, (0.0f - div) * 0.25f);
    });
    for (int sweep = 1; sweep < jacobi_sweeps; ++sweep) {
        const float* const p = pressure_.data();
        float* const next = next_pressure_.data();
        for_each_interior_group(width, height, [&](int i, int j) {
            const int k = i * w + j;
            store(next + k,
                  (((load(p + k - 1, four) + load(p + k + 1, four)) + load(p + k - w, four)) +
                   load(p + k + w, four) - load(divergence + k, four)) *
                      0.25f);
        });
        std::swap(pressure_, next_pressure_);
    }
    const float* const p = pressure_.data();
    for_each_interior_cell(width, height, [&](auto lanes, int i, int j) {
        const int k = i * w + j;
        store(uu + k,
              load(uu + k, lanes) - (load(p + k + 1, lanes) - load(p + k - 1, lanes)) * 0.5f);
        store(vv + k,
              load(vv + k, lanes) - (load(p + k + w, lanes) - load(p + k - w, lanes)) * 0.5f);
    });
    zero_boundary_velocity();
}

template <std::size_t count>
void fluid_solver::advect(const field& along_u, const field& along_v, float dt, float keep,
                          const std::array<const field*, count>& sources,
                          const std::array<field*, count>& targets) {
    const int w = width;
    // A derived solver may replace sample, so it is asked for every read;
    // the solver's own sample is inlined, and its point located once for
    // all fields.
    if (typeid(*this) != typeid(fluid_solver)) {
        for (int i = 1; i < height - 1; ++i) {
            for (int j = 1; j < w - 1; ++j) {
                const int k = i * w + j;
                const float x = static_cast<float>(j) - along_u[k] * dt;
                const float y = static_cast<float>(i) - along_v[k] * dt;
                for (std::size_t f = 0; f < count; ++f) {
                    (*targets[f])[k] = sample(*sources[f], x, y) * keep;
                }
            }
        }
        return;
    }
    // Row by row: every group's point is located first, then each field is
    // blended from those points in a pass of its own, which keeps the chains
    // of dependent operations short.
    const float* const from_u = along_u.data();
    const float* const from_v = along_v.data();
    located_points* const points = row_points_.data();
    for (int i = 1; i < height - 1; ++i) {
        located_points* point = points;
        for_each_group_column(w, [&](int j) {
            const int k = i * w + j;
            const float4 x = columns(j, float4{}) - load(from_u + k, float4{}) * dt;
            const float4 y = static_cast<float>(i) - load(from_v + k, float4{}) * dt;
            *point++ = locate(x, y, w, height);
        });
        for (std::size_t f = 0; f < count; ++f) {
            const float* const source = sources[f]->data();
            float* const target = targets[f]->data() + i * w;
            point = points;
            for_each_group_column(
                w, [&](int j) { store(target + j, bilinear(source, *point++, w) * keep); });
        }
    }
}

// The snapshots are taken by swapping each field with its work field; the
// field then gets back its boundary ring, and advect writes every interior
// cell, so the result is as if the snapshot had been copied.
void fluid_solver::step(float dt) {
    dt = bounded_clamp(dt, 0.0f, dt_limit);
    const auto snapshot = [this](field& values, field& old) {
        values.swap(old);
        copy_boundary_ring(old, values);
    };
    snapshot(u, old_u_);
    snapshot(v, old_v_);
    advect<2>(old_u_, old_v_, dt, velocity_keep, {&old_u_, &old_v_}, {&u, &v});
    project();
    snapshot(dye_red, old_red_);
    snapshot(dye_green, old_green_);
    snapshot(dye_blue, old_blue_);
    advect<3>(u, v, dt, 1.0f - dye_fade * dt, {&old_red_, &old_green_, &old_blue_},
              {&dye_red, &dye_green, &dye_blue});
}

void fluid_solver::copy_boundary_ring(const field& from, field& to) const {
    const std::size_t last_row = static_cast<std::size_t>(height - 1) * width;
    std::copy_n(from.begin(), width, to.begin());
    std::copy_n(from.begin() + last_row, width, to.begin() + last_row);
    for (std::size_t k = width; k < last_row; k += width) {
        to[k] = from[k];
        to[k + width - 1] = from[k + width - 1];
    }
}

}  // namespace tamo
