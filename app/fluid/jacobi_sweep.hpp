#pragma once

namespace tamo {

// One Jacobi sweep of the pressure projection over the interior cells:
// next[k] = (((p[k-1] + p[k+1]) + p[k-w]) + p[k+w] - divergence[k]) x 0.25.
// Eight cells at a time where the processor has AVX (chosen at run time:
// the build targets baseline x86-64), else four with SSE2. Both round each
// cell exactly as the scalar form does. next must not alias p.
void jacobi_sweep(const float* p, const float* divergence, float* next, int width, int height);

}  // namespace tamo
