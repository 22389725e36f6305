#include "plugin_like_reader.h"

#include <Engine/Zel_Channel.h>
#include <Importing/SceneContainer.h>

namespace plugin_like {
namespace {

class Reader : public Zel_Channel {
public:
    explicit Reader(Calls& calls) : calls_(calls) {}
    ~Reader() override { calls_.sequence += 'D'; }

    virtual int LoadFromFile(Importing::SceneContainer& scene, const std::u16string& path,
                             const std::u16string& config, bool flag) {
        calls_.sequence += 'L';
        calls_.path = path;
        calls_.config = config;
        calls_.flag = flag;
        scene.SetSourceDescription(u"plugin-like");
        return 7;
    }
    virtual std::u16string GetRaport() {
        calls_.sequence += 'R';
        return u"report from the plug-in";
    }
    virtual int Init() {
        calls_.sequence += 'I';
        return 0;
    }
    virtual int Release() {
        calls_.sequence += 'E';
        return 0;
    }

protected:
    // Operations past the host's slots, which the host must never reach.
    virtual void Clear() { calls_.sequence += '!'; }

private:
    Calls& calls_;
};

}  // namespace

void* CreateReader(Calls& calls) {
    return new Reader(calls);
}

}  // namespace plugin_like
