// Holds the campaign file reader against its promises on any bytes: a clear refusal or a campaign, never a crash
// or a hang; and a campaign it read is written and read back with every value kept.
#include "Campaign.h"
#include "FuzzInput.h"

using namespace orvanta::campaign;

using FuzzInput::require;

namespace {
// Image paths are looked up on disk relative to the file's folder; they are held by the image tests, not here.
Campaign withoutImages(Campaign campaign)
{
    campaign.affiliateImagePath.clear();
    campaign.ownBonusImagePath.clear();
    return campaign;
}
} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    FuzzInput::silenceQtWarnings();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const QString name = QStringLiteral("fuzz.orvanta");
    const QString folder = QStringLiteral("/nonexistent");
    const QString detail = QString::fromLatin1(bytes.toBase64());
    const Result<CampaignFile::OpenedCampaign> read = CampaignFile::fromJson(bytes, folder, name);
    require(read.ok() != !read.error().isEmpty(), "a campaign or a reason, never both or neither", detail);
    if (!read.ok()) {
        require(read.error().contains(name), "a refusal names the file", detail);
        return 0;
    }
    const Campaign campaign = withoutImages(read->campaign);
    const Result<CampaignFile::OpenedCampaign> again =
        CampaignFile::fromJson(CampaignFile::toJson(campaign, folder), folder, name);
    require(again.ok(), "a campaign written is read back", again.error());
    require(withoutImages(again->campaign) == campaign, "every value survives a save and a reopen", detail);
    return 0;
}
