// A channel of the host engine: the base of every plug-in object the engine drives. The engine
// calls these operations by their slot in the table of virtual operations, so their order is
// fixed: the destructor, then the 19 below, then whatever a derived channel declares.
#pragma once

#include <cstdint>
#include <string>

#include "Engine/DllInterface.h"
#include "HostExport.h"

class HOST_ENGINE_API Zel_Channel : public DllInterface {
public:
    Zel_Channel();
    Zel_Channel(const Zel_Channel& other);
    Zel_Channel& operator=(const Zel_Channel&) = default;
    ~Zel_Channel() override;

    // Each default does nothing and reports success (0) or "nothing" (null).
    virtual int CallChannel(int command, void* data);
    virtual int OneTimeInitialize();
    virtual int DoEvent(int event, void* data);
    virtual int GetChannelType();
    virtual int SaveChannel(void* stream);
    virtual int LoadChannel(void* stream);
    virtual void SetChannelInterfaceType(int type);
    virtual Zel_Channel* GetChannelFromChannel(int index);
    virtual int64_t GetTimeStamp() const;
    virtual void SetTimeStamp(int64_t timeStamp);
    virtual int DoDependencyInit();
    virtual bool CheckIndexNrRemoval(int index);
    virtual Zel_Channel* GetInternalChild(int index);
    virtual bool CheckPublicChannelInstanceRemoval(int instance);
    virtual void AddMetaData(const char* key, const char* value);
    virtual void SetChannelGroup(int group);
    virtual void* GetFeedbackClass();
    virtual void SetContextRenderCountName(const char* name);
    virtual const char* GetContextRenderCountName() const;

    int GetInterfaceType() const { return interfaceType_; }
    int GetChannelGroup() const { return group_; }
    size_t GetMetaDataCount() const { return metaDataCount_; }

private:
    int64_t timeStamp_ = 0;
    int interfaceType_ = 0;
    int group_ = -1;
    size_t metaDataCount_ = 0;
    std::string contextRenderCountName_;
};
