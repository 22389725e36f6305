#include "Engine/Zel_Channel.h"

Zel_Channel::Zel_Channel() = default;
Zel_Channel::Zel_Channel(const Zel_Channel& other) = default;
Zel_Channel::~Zel_Channel() = default;

int Zel_Channel::CallChannel(int /*command*/, void* /*data*/) {
    return 0;
}
int Zel_Channel::OneTimeInitialize() {
    return 0;
}
int Zel_Channel::DoEvent(int /*event*/, void* /*data*/) {
    return 0;
}
int Zel_Channel::GetChannelType() {
    return interfaceType_;
}
int Zel_Channel::SaveChannel(void* /*stream*/) {
    return 0;
}
int Zel_Channel::LoadChannel(void* /*stream*/) {
    return 0;
}
void Zel_Channel::SetChannelInterfaceType(int type) {
    interfaceType_ = type;
}
Zel_Channel* Zel_Channel::GetChannelFromChannel(int /*index*/) {
    return nullptr;
}
int64_t Zel_Channel::GetTimeStamp() const {
    return timeStamp_;
}
void Zel_Channel::SetTimeStamp(int64_t timeStamp) {
    timeStamp_ = timeStamp;
}
int Zel_Channel::DoDependencyInit() {
    return 0;
}
bool Zel_Channel::CheckIndexNrRemoval(int /*index*/) {
    return false;
}
Zel_Channel* Zel_Channel::GetInternalChild(int /*index*/) {
    return nullptr;
}
bool Zel_Channel::CheckPublicChannelInstanceRemoval(int /*instance*/) {
    return false;
}
void Zel_Channel::AddMetaData(const char* key, const char* /*value*/) {
    if (key != nullptr) ++metaDataCount_;
}
void Zel_Channel::SetChannelGroup(int group) {
    group_ = group;
}
void* Zel_Channel::GetFeedbackClass() {
    return nullptr;
}
void Zel_Channel::SetContextRenderCountName(const char* name) {
    contextRenderCountName_ = name != nullptr ? name : "";
}
const char* Zel_Channel::GetContextRenderCountName() const {
    return contextRenderCountName_.c_str();
}
