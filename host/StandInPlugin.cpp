// A silent effect that stands in for the instrument until it exists.
#include <new>

#include "host/ExtendedEffect.h"

namespace {

class StandInEffect : public ExtendedEffect {
public:
    explicit StandInEffect(audioMasterCallback callback) : ExtendedEffect(callback, 1, 0) {
        setInputCount(0);
        setSynthFlag(true);
        setReplacingFlag(true);
    }
    void process(float**, float**, int32_t) override {}
};

}  // namespace

EffectBase* createPlugin(audioMasterCallback hostCallback) {
    return new (std::nothrow) StandInEffect(hostCallback);
}
