#include "platform/win32/WaveOutSink.h"

#include "platform/win32/Win32Api.h"
#include <mmsystem.h>

#include <vector>

struct CWaveOutSink::SDevice {
    HWAVEOUT wave = nullptr;
    HANDLE event = nullptr;
    std::vector<WAVEHDR> headers;

    SDevice() = default;
    SDevice(const SDevice&) = delete;
    SDevice& operator=(const SDevice&) = delete;
    ~SDevice()
    {
        if (wave) {
            waveOutReset(wave);
            unprepareAll();
            waveOutClose(wave);
        }
        if (event) {
            CloseHandle(event);
        }
    }

    void unprepareAll()
    {
        for (WAVEHDR& header : headers) {
            if (header.dwFlags & WHDR_PREPARED) {
                waveOutUnprepareHeader(wave, &header, sizeof(header));
            }
            header = WAVEHDR{};
        }
    }
};

std::unique_ptr<CWaveOutSink> CWaveOutSink::open(int sampleRate, int channels, std::size_t bufferCount)
{
    auto device = std::make_unique<SDevice>();
    device->event = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    if (!device->event || sampleRate <= 0 || channels < 1 || channels > 2) {
        return nullptr;
    }
    WAVEFORMATEX format{};
    format.wFormatTag = WAVE_FORMAT_PCM;
    format.nChannels = static_cast<WORD>(channels);
    format.nSamplesPerSec = static_cast<DWORD>(sampleRate);
    format.wBitsPerSample = 16;
    format.nBlockAlign = static_cast<WORD>(channels * 2);
    format.nAvgBytesPerSec = format.nSamplesPerSec * format.nBlockAlign;
    if (waveOutOpen(&device->wave, WAVE_MAPPER, &format, reinterpret_cast<DWORD_PTR>(device->event), 0,
                    CALLBACK_EVENT) != MMSYSERR_NOERROR) {
        device->wave = nullptr;
        return nullptr;
    }
    device->headers.resize(bufferCount);
    return std::unique_ptr<CWaveOutSink>(new CWaveOutSink(std::move(device)));
}

CWaveOutSink::CWaveOutSink(std::unique_ptr<SDevice> device) : device_(std::move(device)) {}

CWaveOutSink::~CWaveOutSink() = default;

bool CWaveOutSink::submit(std::size_t index, std::span<const std::int16_t> samples)
{
    WAVEHDR& header = device_->headers.at(index);
    if (header.dwFlags & WHDR_PREPARED) {
        waveOutUnprepareHeader(device_->wave, &header, sizeof(header));
    }
    header = WAVEHDR{};
    // The device only reads the samples; the header's pointer is not const for history's sake.
    header.lpData = reinterpret_cast<LPSTR>(const_cast<std::int16_t*>(samples.data()));
    header.dwBufferLength = static_cast<DWORD>(samples.size_bytes());
    if (waveOutPrepareHeader(device_->wave, &header, sizeof(header)) != MMSYSERR_NOERROR) {
        header = WAVEHDR{};
        return false;
    }
    return waveOutWrite(device_->wave, &header, sizeof(header)) == MMSYSERR_NOERROR;
}

bool CWaveOutSink::finished(std::size_t index)
{
    const WAVEHDR& header = device_->headers.at(index);
    return !(header.dwFlags & WHDR_PREPARED) || (header.dwFlags & WHDR_DONE);
}

void CWaveOutSink::waitForAny(std::chrono::milliseconds limit)
{
    WaitForSingleObject(device_->event, static_cast<DWORD>(limit.count()));
}

void CWaveOutSink::reset()
{
    waveOutReset(device_->wave);
    device_->unprepareAll();
}
