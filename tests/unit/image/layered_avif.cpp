// SPDX-License-Identifier: GPL-3.0-or-later
#include "layered_avif.h"

#include "isobmff_boxes.h"

#include <aom/aom_encoder.h>
#include <aom/aomcx.h>

#include <algorithm>
#include <memory>

namespace fixtures {

namespace {

// The picture in full-range BT.601 4:2:0, as the file's "colr" says.
void FillYuv(aom_image_t& img, const std::vector<uint8_t>& rgb, int width, int height)
{
    auto clamp = [](double v) { return static_cast<uint8_t>(std::clamp(v + 0.5, 0.0, 255.0)); };
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const uint8_t* p = &rgb[(static_cast<size_t>(y) * width + x) * 3];
            const double luma = 0.299 * p[0] + 0.587 * p[1] + 0.114 * p[2];
            img.planes[AOM_PLANE_Y][y * img.stride[AOM_PLANE_Y] + x] = clamp(luma);
            if (x % 2 == 0 && y % 2 == 0) {
                img.planes[AOM_PLANE_U][y / 2 * img.stride[AOM_PLANE_U] + x / 2] = clamp((p[2] - luma) * 0.564 + 128);
                img.planes[AOM_PLANE_V][y / 2 * img.stride[AOM_PLANE_V] + x / 2] = clamp((p[0] - luma) * 0.713 + 128);
            }
        }
}

struct CodecEnd {
    void operator()(aom_codec_ctx_t* c) const { aom_codec_destroy(c); }
};

// The two layers' coded bytes, base layer first; with `layered` false, the
// picture in `top` alone. False when libaom refused.
bool EncodeLayers(const std::vector<uint8_t>& rgb, int width, int height, Bytes& base, Bytes& top, bool layered = true)
{
    aom_codec_iface_t* iface = aom_codec_av1_cx();
    aom_codec_enc_cfg_t cfg;
    // Layers are libaom's real-time scalable coding; the sequence header then
    // names the operating points (all layers, the base layer alone).
    if (aom_codec_enc_config_default(iface, &cfg, AOM_USAGE_REALTIME) != AOM_CODEC_OK)
        return false;
    cfg.g_w = static_cast<unsigned>(width);
    cfg.g_h = static_cast<unsigned>(height);
    cfg.g_lag_in_frames = 0;
    cfg.g_threads = 1;
    cfg.rc_end_usage = AOM_CBR;
    cfg.rc_target_bitrate = 4000;
    cfg.rc_min_quantizer = 0;
    cfg.rc_max_quantizer = 8;
    aom_codec_ctx_t codec;
    if (aom_codec_enc_init(&codec, iface, &cfg, 0) != AOM_CODEC_OK)
        return false;
    std::unique_ptr<aom_codec_ctx_t, CodecEnd> end(&codec);
    std::unique_ptr<aom_image_t, decltype(&aom_img_free)> img(
        aom_img_alloc(nullptr, AOM_IMG_FMT_I420, cfg.g_w, cfg.g_h, 16), &aom_img_free);
    if (!img)
        return false;
    FillYuv(*img, rgb, width, height);
    aom_svc_params_t svc{};
    svc.number_spatial_layers = 2;
    svc.number_temporal_layers = 1;
    for (int layer = 0; layer < 2; ++layer) {
        svc.scaling_factor_num[layer] = 1;
        svc.scaling_factor_den[layer] = layer == 0 ? 2 : 1;
        svc.max_quantizers[layer] = 8;
        svc.min_quantizers[layer] = 0;
        svc.layer_target_bitrate[layer] = layer == 0 ? 1000 : 4000;
    }
    svc.framerate_factor[0] = 1;
    aom_codec_control(&codec, AOME_SET_CPUUSED, 8);
    aom_codec_control(&codec, AV1E_SET_COLOR_RANGE, AOM_CR_FULL_RANGE);
    aom_codec_control(&codec, AV1E_SET_MATRIX_COEFFICIENTS, AOM_CICP_MC_BT_601);
    if (layered && aom_codec_control(&codec, AV1E_SET_SVC_PARAMS, &svc) != AOM_CODEC_OK)
        return false;
    for (int layer = layered ? 0 : 1; layer < 2; ++layer) {
        aom_svc_layer_id_t id{};
        id.spatial_layer_id = layer;
        if (layered)
            aom_codec_control(&codec, AV1E_SET_SVC_LAYER_ID, &id);
        if (aom_codec_encode(&codec, img.get(), 0, 1, layer == 0 || !layered ? AOM_EFLAG_FORCE_KF : 0) != AOM_CODEC_OK)
            return false;
        Bytes& out = layer == 0 ? base : top;
        aom_codec_iter_t iter = nullptr;
        while (const aom_codec_cx_pkt_t* pkt = aom_codec_get_cx_data(&codec, &iter))
            if (pkt->kind == AOM_CODEC_CX_FRAME_PKT) {
                const auto* data = static_cast<const uint8_t*>(pkt->data.frame.buf);
                out.insert(out.end(), data, data + pkt->data.frame.sz);
            }
    }
    return (!layered || !base.empty()) && !top.empty();
}

// The file around the coded picture: with `base` the layers' sizes and the
// layer selected; with `twoIpma`, a second "ipma" box of the same version
// and flags (associating an item the file does not hold).
Bytes AvifFile(const Bytes& base, const Bytes& top, int width, int height, int selectedLayer, bool twoIpma)
{
    const Bytes data = Join({base, top});

    Bytes ispe, av1C{0x81, 0x1F, 0x0C, 0x00}, pixi{3, 8, 8, 8}, colr{'n', 'c', 'l', 'x'}, a1lx{0}, lsel;
    Put(ispe, static_cast<uint64_t>(width), 4);
    Put(ispe, static_cast<uint64_t>(height), 4);
    Put(colr, 1, 2);            // BT.709 primaries
    Put(colr, 13, 2);           // the sRGB curve
    Put(colr, 6, 2);            // BT.601 matrix
    colr.push_back(0x80);       // full range
    Put(a1lx, base.size(), 2);  // the base layer's bytes; the top layer is the rest
    Put(a1lx, 0, 4);
    Put(lsel, static_cast<uint64_t>(selectedLayer), 2);
    Bytes ipco = Join({MakeBox("ispe", ispe, 0), MakeBox("av1C", av1C), MakeBox("pixi", pixi, 0), MakeBox("colr", colr),
                       MakeBox("a1lx", a1lx)});
    Bytes ipma;
    Put(ipma, 1, 4);
    Put(ipma, 1, 2);
    const bool selects = selectedLayer >= 0;
    ipma.insert(ipma.end(), {static_cast<uint8_t>(selects ? 6 : 5), 0x01, 0x82, 0x03, 0x04, 0x05});
    if (selects) {
        ipco = Join({ipco, MakeBox("lsel", lsel)});
        ipma.push_back(0x86);
    }
    if (base.empty()) {  // no layers: no "a1lx"
        ipma[6] = 4;
        ipma.pop_back();
    }
    Bytes otherIpma;
    Put(otherIpma, 1, 4);
    Put(otherIpma, 2, 2);  // item 2
    otherIpma.insert(otherIpma.end(), {1, 0x03});
    Bytes hdlr(4, 0), pitm, iinf, infe;
    hdlr.insert(hdlr.end(), {'p', 'i', 'c', 't'});
    hdlr.resize(hdlr.size() + 13, 0);
    Put(pitm, 1, 2);
    Put(infe, 1, 2);
    Put(infe, 0, 2);
    infe.insert(infe.end(), {'a', 'v', '0', '1', 0});
    Put(iinf, 1, 2);
    iinf = Join({iinf, MakeBox("infe", infe, 2)});
    const Bytes ftyp = MakeBox("ftyp", {'a', 'v', 'i', 'f', 0, 0, 0, 0, 'a', 'v', 'i', 'f', 'm', 'i', 'f', '1'});
    auto meta = [&](uint32_t dataOffset) {
        Bytes iloc{0x44, 0x00};
        Put(iloc, 1, 2);
        Put(iloc, 1, 2);  // item 1
        Put(iloc, 0, 2);  // in this file
        Put(iloc, 1, 2);  // one extent
        Put(iloc, dataOffset, 4);
        Put(iloc, data.size(), 4);
        return MakeBox("meta",
                       Join({MakeBox("hdlr", hdlr, 0), MakeBox("pitm", pitm, 0), MakeBox("iinf", iinf, 0),
                             MakeBox("iprp", Join({MakeBox("ipco", ipco), MakeBox("ipma", ipma, 0),
                                                   twoIpma ? MakeBox("ipma", otherIpma, 0) : Bytes{}})),
                             MakeBox("iloc", iloc, 0)}),
                       0);
    };
    const size_t offset = ftyp.size() + meta(0).size() + 8;
    return Join({ftyp, meta(static_cast<uint32_t>(offset)), MakeBox("mdat", data)});
}

}  // namespace

std::vector<uint8_t> EncodeLayeredAvif(const std::vector<uint8_t>& rgb, int width, int height, int selectedLayer)
{
    Bytes base, top;
    if (!EncodeLayers(rgb, width, height, base, top) || base.size() > 0xFFFF)
        return {};
    return AvifFile(base, top, width, height, selectedLayer, false);
}

std::vector<uint8_t> EncodeAvifWithTwoIpma(const std::vector<uint8_t>& rgb, int width, int height)
{
    Bytes base, top;
    if (!EncodeLayers(rgb, width, height, base, top, false))
        return {};
    return AvifFile(base, top, width, height, -1, true);
}

}  // namespace fixtures
