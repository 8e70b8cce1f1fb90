// The audio input behind the spectrum display, as the channel selector drives it.
#pragma once

class ISpectrumRecorder {
public:
    virtual ~ISpectrumRecorder() = default;
    // Opens the default input; IsOpen tells whether that worked.
    virtual void Open() = 0;
    virtual bool IsOpen() const = 0;
    virtual bool IsRecording() const = 0;
    // Starts capturing; false when the open input could not be started.
    virtual bool Start() = 0;
    virtual void Stop() = 0;
    virtual void Close() = 0;
    // Live refresh: 30 and more pictures a second instead of one per captured buffer (about
    // 2.7 a second). The choice is remembered across runs.
    virtual void SetLiveRefresh(bool bLive) = 0;
    virtual bool LiveRefresh() const = 0;
};

// The recorder of a machine without an audio input: it never opens.
class CNoAudioInput : public ISpectrumRecorder {
public:
    void Open() override {}
    bool IsOpen() const override { return false; }
    bool IsRecording() const override { return false; }
    bool Start() override { return false; }
    void Stop() override {}
    void Close() override {}
    void SetLiveRefresh(bool bLive) override { m_bLive = bLive; }
    bool LiveRefresh() const override { return m_bLive; }

private:
    bool m_bLive = false;
};
