// The off-line show recorder (see OfflineRecorder.h).
#include "OfflineRecorder.h"

#include "ColourProcessing.h"
#include "CommandProtocol.h"
#include "DailyLog.h"
#include "ScreenFrame.h"

#include <cstring>

namespace {

constexpr double kMiB = 1048576.0;

void PutU16(std::uint8_t* p, unsigned v)
{
    p[0] = std::uint8_t(v);
    p[1] = std::uint8_t(v >> 8);
}

std::uint16_t PortNumber(const CLEDScreen& screen, int portIndex)
{
    return std::uint16_t(screen.m_groupMode != 0 ? portIndex + 1 : screen.m_firstPort + portIndex);
}

// Reads a whole file; false when it is missing or unreadable.
bool ReadWholeFile(const CString& path, std::vector<std::uint8_t>& bytes)
{
    HANDLE h = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    LARGE_INTEGER size {};
    bool ok = GetFileSizeEx(h, &size) && size.QuadPart >= 0 && size.QuadPart < 0x7FFFFFFF;
    if (ok) {
        bytes.resize(std::size_t(size.QuadPart));
        DWORD read = 0;
        ok = bytes.empty() || (ReadFile(h, bytes.data(), DWORD(bytes.size()), &read, nullptr) && read == bytes.size());
    }
    CloseHandle(h);
    return ok;
}

} // namespace

int COfflineRecorder::CreateFile(const CString& path)
{
    Abandon();
    return m_file.Create(path) ? 0 : kRecordFileFailed;
}

int COfflineRecorder::Begin(const CLEDScreen& screen, const std::vector<ControllerEntry>& controllers,
    LocalSender& sender, unsigned framesPerSecond, int syncCode, bool scramble)
{
    if (!m_file.IsOpen() || framesPerSecond == 0)
        return kRecordFileFailed;
    m_failed = false;
    m_loggedLongPort = false;
    m_frames = 0;
    m_facts = {};
    m_facts.frameIntervalMs = std::uint16_t(1000u / framesPerSecond);
    m_blockA.assign(offline::kHeaderBlockSize, 0);
    m_blockB.assign(offline::kHeaderBlockSize, 0);
    m_totalBytes = offline::kFramesOffset;
    m_assembler.SetScrambling(scramble);

    // Block B: its length in sectors, then a sync command for every
    // controller and a start command for every controller.
    const int count = int(controllers.size());
    PutU16(m_blockB.data(), unsigned(screen.m_groupMode != 0 ? 6 * count + 1 : 7));
    char senderIp[17];
    IPv4Text(sender.ipv4, senderIp);
    int slot = 0;
    for (int pass = 0; pass < 2; ++pass) {
        for (const ControllerEntry& c : controllers) {
            if (slot >= offline::kMaxCommandSlots)
                break;
            char controllerIp[17];
            IPv4Text(c.ipv4, controllerIp);
            int length;
            if (pass == 0) {
                length = m_assembler.BuildRecordedCommand(0, sender.mac, senderIp, controllerIp, c.mac,
                    std::uint8_t(syncCode), nullptr, 0, sender.storedFrame.data());
            } else {
                std::uint8_t first[2];
                PutU16(first, unsigned(screen.m_groupMode != 0 ? c.firstPort + 1 : screen.m_firstPort));
                length = m_assembler.BuildRecordedCommand(kFrameStartValue, sender.mac, senderIp, controllerIp, c.mac,
                    kFrameStartCode, first, 2, sender.storedFrame.data());
            }
            if (length > 0 && std::size_t(length) <= offline::kSlotSize) {
                std::memcpy(m_blockB.data() + offline::kCommandSlotsOffset + std::size_t(slot) * offline::kSlotSize,
                    sender.storedFrame.data(), std::size_t(length));
            }
            ++slot;
        }
    }

    m_frame.assign(offline::kFrameBufferSize, 0);
    std::memcpy(m_frame.data(), offline::kMagic, 4);
    if (!m_file.Append(m_blockA.data(), m_blockA.size()) || !m_file.Append(m_blockB.data(), m_blockB.size())) {
        LogLevel(LOG_ERROR, L"off-line file: header blocks could not be written (%d)", int(GetLastError()));
        Abandon();
        return kRecordFileFailed;
    }
    m_open = true;
    return 0;
}

bool COfflineRecorder::StorePort(CLEDScreen& screen, int portIndex, const ControllerEntry& controller,
    const LocalSender& sender, const unsigned char* pixels, std::size_t& frameBytes)
{
    ControllerLayout& port = screen.m_ports[std::size_t(portIndex)];
    const unsigned char* data[netrove::kOutputCount] = {};
    unsigned short lengths[netrove::kOutputCount] = {};
    // A port without lamps still tells its controller one lamp's worth of 1s.
    static const std::vector<unsigned char> kOnes(256, 1);
    if (port.m_outputs.empty()) {
        const int n = screen.m_lampFormat.GetLength();
        data[0] = kOnes.data();
        lengths[0] = static_cast<unsigned short>(n < int(kOnes.size()) ? n : int(kOnes.size()));
    }
    const ScreenColour& colour = screen.m_colour;
    const BYTE* fifth = colour.fifthEnable != 0 && !colour.fifthBuffer.empty() ? colour.fifthBuffer.data() : nullptr;
    for (std::size_t i = 0; i < port.m_outputs.size(); ++i) {
        PortOutput& output = port.m_outputs[i];
        // The previous frame's write has pushed the next output's runs and
        // buffer out of the cache: they come in while this one is mapped.
        if (i + 1 < port.m_outputs.size())
            port.m_outputs[i + 1].Prefetch();
        if (output.m_portIndex < 0 || output.m_portIndex >= netrove::kOutputCount)
            continue;
        const BYTE* bytes = output.ExtractOutput(pixels, colour.whiteMode, fifth, colour.fifthEnable, screen.m_curves);
        if (!bytes)
            continue;
        // Outputs are stored whole from the output's own buffer: up to the
        // 65535 bytes a chunk position can address.
        data[output.m_portIndex] = bytes;
        lengths[output.m_portIndex] = static_cast<unsigned short>(output.m_mapLength);
    }

    // The blocks are packed straight into the frame's slots.
    const std::uint16_t portNumber = PortNumber(screen, portIndex);
    stored::SlotAddresses addresses;
    addresses.controllerMac = controller.mac;
    addresses.senderMac = sender.mac;
    std::memcpy(addresses.controllerIp, &controller.ipv4, 4);
    std::memcpy(addresses.senderIp, &sender.ipv4, 4);
    const std::size_t frameEnd = offline::kFrameHeaderSize + offline::kMaxFrameSlots * offline::kSlotSize;
    const int room = int((frameEnd - frameBytes) / offline::kSlotSize);
    const int slots = m_assembler.PackPortSlots(
        data, lengths, portNumber, addresses, m_frame.data() + frameBytes, offline::kSlotSize, room);
    if (slots >= 0) {
        frameBytes += std::size_t(slots) * offline::kSlotSize;
        return true;
    }

    // Too long for one datagram, or more slots than the frame has left: the
    // datagram alone tells which.
    char controllerIp[17];
    char senderIp[17];
    IPv4Text(controller.ipv4, controllerIp);
    IPv4Text(sender.ipv4, senderIp);
    const int length = m_assembler.PackPortData(data, lengths, portNumber, controllerIp, senderIp);
    if (length == -1) {
        if (!m_loggedLongPort) {
            m_loggedLongPort = true;
            LogLevel(LOG_ERROR, L"off-line file: port %d has more data than one stored datagram holds; not stored",
                portIndex + 1);
        }
        return true;
    }
    if (length <= stored::kIpUdpHeaderSize)
        return true;
    LogLevel(LOG_ERROR, L"off-line file: frame %d needs more than %d packet slots; the recording fails",
        int(m_frames + 1), offline::kMaxFrameSlots);
    return false;
}

int COfflineRecorder::RecordFrame(CLEDScreen& screen, const std::vector<ControllerEntry>& controllers,
    const LocalSender& sender, unsigned char* pixels, int bytesPerPixel, bool scramble, double* sizeMiB)
{
    if (!m_open)
        return kRecordNotOpen;
    if (m_failed)
        return kRecordFileFailed;
    m_assembler.SetScrambling(scramble);

    const BYTE* frame = ScreenFrameForMaps(screen, pixels, bytesPerPixel, m_pixels);
    if (!frame)
        return kRecordNotOpen;

    std::size_t frameBytes = offline::kFrameHeaderSize;
    bool room = true;
    const int portCount = int(screen.m_ports.size());
    if (screen.m_groupMode != 0) {
        // Port position k of every controller in turn.
        int positions = 0;
        for (const ControllerEntry& c : controllers)
            positions = c.PortCount() > positions ? c.PortCount() : positions;
        for (int k = 0; k < positions && room; ++k) {
            for (const ControllerEntry& c : controllers) {
                const int port = c.firstPort + k;
                if (!c.HasPortAt(k) || port < 0 || port >= portCount)
                    continue;
                if (!(room = StorePort(screen, port, c, sender, frame, frameBytes)))
                    break;
            }
        }
    } else {
        for (int port = 0; port < portCount; ++port) {
            const ControllerEntry* serving = nullptr;
            for (const ControllerEntry& c : controllers) {
                if (port >= c.firstPort && port <= c.lastPort) {
                    serving = &c;
                    break;
                }
            }
            if (serving && !(room = StorePort(screen, port, *serving, sender, frame, frameBytes)))
                break;
        }
    }
    if (!room) {
        // A frame cut short would play as a broken picture: the recording
        // fails instead, and its file is not kept.
        m_failed = true;
        return kRecordFileFailed;
    }

    if (!m_file.Append(m_frame.data(), frameBytes)) {
        LogLevel(
            LOG_ERROR, L"off-line file: frame %d could not be written (%d)", int(m_frames + 1), int(GetLastError()));
        m_failed = true;
        return kRecordFileFailed;
    }
    m_facts.frameBytes = std::uint32_t(frameBytes);
    ++m_frames;
    m_totalBytes += frameBytes;
    if (sizeMiB)
        *sizeMiB = double(m_totalBytes) / kMiB;
    return 0;
}

int COfflineRecorder::Close(const RecordingSettings& settings, const CString& layoutPath)
{
    if (!m_open)
        return kRecordNotOpen;
    m_open = false;
    if (m_failed) {
        Abandon();
        return kRecordFileFailed;
    }
    m_facts.frames = m_frames;
    offline::FillHeaderBlock(m_blockA.data(), m_facts, settings);
    bool ok = m_file.WriteAt(0, m_blockA.data(), m_blockA.size())
        && m_file.WriteAt(offline::kHeaderBlockSize, m_blockB.data(), m_blockB.size());

    std::vector<std::uint8_t> layout;
    if (ok && !layoutPath.IsEmpty() && ReadWholeFile(layoutPath, layout)) {
        offline::MaskWithLayoutKey(
            layout.data(), layout.size() < offline::kMaskedLayoutBytes ? layout.size() : offline::kMaskedLayoutBytes);
        std::uint8_t trailer[offline::kTrailerSize];
        offline::BuildLayoutTrailer(std::uint32_t(layout.size()), trailer);
        ok = m_file.Append(layout.data(), layout.size()) && m_file.Append(trailer, sizeof trailer);
    }
    ok = ok && m_file.Commit();
    if (!ok) {
        LogLevel(LOG_ERROR, L"off-line file: closing failed (%d)", int(GetLastError()));
        Abandon();
        return kRecordFileFailed;
    }
    ReleaseBuffers();
    return 0;
}

void COfflineRecorder::Abandon()
{
    m_open = false;
    m_failed = false;
    m_file.Discard();
    ReleaseBuffers();
}

void COfflineRecorder::ReleaseBuffers()
{
    std::vector<std::uint8_t>().swap(m_blockA);
    std::vector<std::uint8_t>().swap(m_blockB);
    std::vector<std::uint8_t>().swap(m_frame);
    std::vector<BYTE>().swap(m_pixels);
}
