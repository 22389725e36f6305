// A scene material. Colours are linear 0..1 channels.
#pragma once

#include <d3dx9math.h>

#include <string>

#include "HostExport.h"
#include "Importing/HashObject.h"

namespace Importing {

enum SurfaceType : int { SURFACE_ORDINARY = 0, SURFACE_WATER = 1, SURFACE_GLASS = 2 };

class HOST_SCENE_API Material : public HashObject {
public:
    void SetName(const std::u16string& name);
    void SetDiffuse(const D3DXCOLOR& color);
    void SetEmissive(const D3DXCOLOR& color);
    void SetOpacity(float opacity);
    void SetSpecularPower(float power);
    void SetSurfaceType(SurfaceType type);

    const std::u16string& GetName() const;
    const D3DXCOLOR& GetDiffuse() const;
    const D3DXCOLOR& GetEmissive() const;
    float GetOpacity() const;
    float GetSpecularPower() const;
    SurfaceType GetSurfaceType() const;

private:
    std::u16string name_;
    D3DXCOLOR diffuse_{0, 0, 0, 1};
    D3DXCOLOR emissive_{0, 0, 0, 1};
    float opacity_ = 1;
    float specularPower_ = 0;
    SurfaceType surfaceType_ = SURFACE_ORDINARY;
};

}  // namespace Importing
