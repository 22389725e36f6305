// The colour type of the D3DX maths library: four floats, linear 0..1 channels.
#pragma once

struct D3DXCOLOR {
    float r, g, b, a;

    D3DXCOLOR() = default;
    constexpr D3DXCOLOR(float red, float green, float blue, float alpha)
        : r(red), g(green), b(blue), a(alpha) {}

    constexpr bool operator==(const D3DXCOLOR& o) const {
        return r == o.r && g == o.g && b == o.b && a == o.a;
    }
    constexpr bool operator!=(const D3DXCOLOR& o) const { return !(*this == o); }
};
static_assert(sizeof(D3DXCOLOR) == 16);
