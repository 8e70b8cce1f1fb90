// The audio input behind the spectrum display, as the channel selector drives it.
#pragma once

class ISpectrumRecorder {
public:
    virtual ~ISpectrumRecorder() = default;
    // Opens the default input; IsOpen tells whether that worked.
    virtual void Open() = 0;
    virtual bool IsOpen() const = 0;
    virtual bool IsRecording() const = 0;
    virtual void Start() = 0;
    virtual void Stop() = 0;
    virtual void Close() = 0;
};

// The recorder of a machine without an audio input: it never opens.
class CNoAudioInput : public ISpectrumRecorder {
public:
    void Open() override {}
    bool IsOpen() const override { return false; }
    bool IsRecording() const override { return false; }
    void Start() override {}
    void Stop() override {}
    void Close() override {}
};
