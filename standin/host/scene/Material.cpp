#include "Importing/Material.h"

namespace Importing {

void Material::SetName(const std::u16string& name) {
    name_ = name;
}
void Material::SetDiffuse(const D3DXCOLOR& color) {
    diffuse_ = color;
}
void Material::SetEmissive(const D3DXCOLOR& color) {
    emissive_ = color;
}
void Material::SetOpacity(float opacity) {
    opacity_ = opacity;
}
void Material::SetSpecularPower(float power) {
    specularPower_ = power;
}
void Material::SetSurfaceType(SurfaceType type) {
    surfaceType_ = type;
}

const std::u16string& Material::GetName() const {
    return name_;
}
const D3DXCOLOR& Material::GetDiffuse() const {
    return diffuse_;
}
const D3DXCOLOR& Material::GetEmissive() const {
    return emissive_;
}
float Material::GetOpacity() const {
    return opacity_;
}
float Material::GetSpecularPower() const {
    return specularPower_;
}
SurfaceType Material::GetSurfaceType() const {
    return surfaceType_;
}

}  // namespace Importing
