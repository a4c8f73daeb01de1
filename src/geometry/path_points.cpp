// Many points of one segment at once. The attractor's pull costs three square
// roots and three divisions per point, each waiting for the one before; two
// points share each instruction where SSE2 is there to do it. Every lane does
// exactly the scalar operations of pathPointWithWeights, in the same order
// and precision, so the points are the same to the last bit.
#include <cstddef>

#include "geometry/path.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

void pathPointsWithWeights(const Segment& seg, const PathWeights* w, int n, Vector attractor,
                           float* xs, float* ys) {
    for (int i = 0; i < n; ++i) {
        const Vector b = pathCurvePoint(seg, w[i]);
        xs[i] = b.x;
        ys[i] = b.y;
    }
    if (attractor.flag == 0) return;
    int i = 0;
#if defined(__SSE2__)
    // Two floats in the low lanes; the high lanes are never read. The load
    // goes through the intrinsics' own may-alias type, never a double*, so
    // it is ordered after the stores above.
    const auto pair = [](const float* v) {
        return _mm_castsi128_ps(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(v)));
    };
    // float(sqrt(dx * dx + dy * dy)) with float differences, back in double.
    const auto distance = [](__m128 bx, __m128 by, float cx, float cy) {
        const __m128d dx = _mm_cvtps_pd(_mm_sub_ps(bx, _mm_set1_ps(cx)));
        const __m128d dy = _mm_cvtps_pd(_mm_sub_ps(by, _mm_set1_ps(cy)));
        const __m128d root = _mm_sqrt_pd(_mm_add_pd(_mm_mul_pd(dx, dx), _mm_mul_pd(dy, dy)));
        return _mm_cvtps_pd(_mm_cvtpd_ps(root));
    };
    const __m128d one = _mm_set1_pd(1.0);
    const __m128d two = _mm_set1_pd(2.0);
    const __m128 ax = _mm_set1_ps(attractor.x);
    const __m128 ay = _mm_set1_ps(attractor.y);
    for (; i + 1 < n; i += 2) {
        const __m128 bx = pair(xs + i);
        const __m128 by = pair(ys + i);
        const __m128d d = distance(bx, by, attractor.x, attractor.y);
        const __m128d u = distance(bx, by, seg.p0.x, seg.p0.y);
        const __m128d v = distance(bx, by, seg.p3.x, seg.p3.y);
        const __m128d q = _mm_cvtps_pd(
            _mm_cvtpd_ps(_mm_div_pd(_mm_div_pd(_mm_div_pd(_mm_mul_pd(d, d), u), v), two)));
        const __m128 f = _mm_cvtpd_ps(_mm_div_pd(one, _mm_add_pd(one, q)));
        const __m128 px = _mm_add_ps(bx, _mm_mul_ps(f, _mm_sub_ps(ax, bx)));
        const __m128 py = _mm_add_ps(by, _mm_mul_ps(f, _mm_sub_ps(ay, by)));
        alignas(16) double us[2];
        alignas(16) double vs[2];
        alignas(16) float pulledX[4];
        alignas(16) float pulledY[4];
        _mm_store_pd(us, u);
        _mm_store_pd(vs, v);
        _mm_store_ps(pulledX, px);
        _mm_store_ps(pulledY, py);
        for (int k = 0; k < 2; ++k) {
            // On an end knot the point stays where it is.
            if (us[k] == 0.0 || vs[k] == 0.0) continue;
            xs[i + k] = pulledX[k];
            ys[i + k] = pulledY[k];
        }
    }
#endif
    for (; i < n; ++i) {
        const Vector p = pathPointWithWeights(seg, w[i], attractor);
        xs[i] = p.x;
        ys[i] = p.y;
    }
}
