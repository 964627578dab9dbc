// SPDX-FileCopyrightText: 2026 Kelvane Extras developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/team/x11clipboard.h"

#include <QByteArray>
#include <QDeadlineTimer>
#include <QList>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <poll.h>
#include <span>
#include <xcb/xcb.h>

namespace {

// How often a wait for the owner asks whether to go on.
constexpr int pollMs = 50;

struct FreeReply {
    void operator()(void* reply) const { std::free(reply); }
};
template <class T> using Reply = std::unique_ptr<T, FreeReply>;

struct Disconnect {
    void operator()(xcb_connection_t* connection) const { xcb_disconnect(connection); }
};

int eventType(const xcb_generic_event_t& event) {
    return event.response_type & 0x7f; // the high bit tells an event sent by another client
}

} // namespace

std::optional<ClipboardOffer> x11ClipboardOffer(const ProgressReport& progress,
                                                std::chrono::milliseconds patience) {
    const std::unique_ptr<xcb_connection_t, Disconnect> connection(xcb_connect(nullptr, nullptr));
    xcb_connection_t* x = connection.get();
    if (xcb_connection_has_error(x))
        return std::nullopt;

    const auto intern = [x](const char* name) {
        return xcb_intern_atom(x, false, uint16_t(std::strlen(name)), name);
    };
    // All the names are asked for before any answer is awaited: one round trip for them all.
    const auto atomsOf = [x](std::span<const xcb_intern_atom_cookie_t> cookies, xcb_atom_t* atoms) {
        for (std::size_t i = 0; i < cookies.size(); ++i) {
            const Reply<xcb_intern_atom_reply_t> reply(
                xcb_intern_atom_reply(x, cookies[i], nullptr));
            if (!reply)
                return false;
            atoms[i] = reply->atom;
        }
        return true;
    };
    const xcb_intern_atom_cookie_t cookies[] = {intern("CLIPBOARD"), intern("UTF8_STRING"),
                                                intern("INCR"), intern("TARGETS")};
    xcb_intern_atom_cookie_t richCookies[ClipboardOffer::richFlavours.size()];
    for (std::size_t i = 0; i < ClipboardOffer::richFlavours.size(); ++i)
        richCookies[i] = intern(ClipboardOffer::richFlavours[i].first);
    xcb_atom_t atoms[std::size(cookies)];
    xcb_atom_t richAtoms[std::size(richCookies)];
    if (!atomsOf(cookies, atoms) || !atomsOf(richCookies, richAtoms))
        return std::nullopt;
    // The data arrives in a property of a window of ours, which any name does for; the
    // selection's own needs no interning.
    const auto [clipboard, utf8, incr, targets] = atoms;
    const xcb_atom_t property = clipboard;

    // Selections belong to the display, so the first screen's root serves as a parent whatever
    // screen the windows are on. Our window hears of its properties' changes for the transfer
    // in parts.
    const xcb_window_t window = xcb_generate_id(x);
    const uint32_t events = XCB_EVENT_MASK_PROPERTY_CHANGE;
    xcb_create_window(
        x, XCB_COPY_FROM_PARENT, window, xcb_setup_roots_iterator(xcb_get_setup(x)).data->root, 0,
        0, 1, 1, 0, XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, XCB_CW_EVENT_MASK, &events);

    // Whatever comes on this connection follows from the owner's doing, so any event shows it
    // is still there.
    QDeadlineTimer silence(patience);
    const auto next = [&]() -> Reply<xcb_generic_event_t> {
        xcb_flush(x);
        for (;;) {
            if (Reply<xcb_generic_event_t> event{xcb_poll_for_event(x)}) {
                silence.setRemainingTime(patience);
                return event;
            }
            if (xcb_connection_has_error(x) || silence.hasExpired())
                return nullptr;
            progress(0);
            pollfd server{xcb_get_file_descriptor(x), POLLIN, 0};
            poll(&server, 1, pollMs);
        }
    };
    // The whole property at once, deleted as it is read: deleting it asks for the next part.
    const auto take = [&] {
        return Reply<xcb_get_property_reply_t>(
            xcb_get_property_reply(x,
                                   xcb_get_property(x, true, window, property,
                                                    XCB_GET_PROPERTY_TYPE_ANY, 0, UINT32_MAX / 4),
                                   nullptr));
    };
    const auto append = [](QByteArray& bytes, xcb_get_property_reply_t* part) {
        bytes.append(static_cast<const char*>(xcb_get_property_value(part)),
                     xcb_get_property_value_length(part));
    };

    // One target as the owner sends it, and the type it says the data has; no type when the
    // owner has none of this kind, or there is no owner at all. The current time stands for the
    // time of the paste, which the owner cannot check.
    struct Received {
        QByteArray bytes;
        xcb_atom_t type = XCB_NONE;
    };
    const auto receive = [&](xcb_atom_t target) -> std::optional<Received> {
        xcb_convert_selection(x, window, clipboard, target, property, XCB_CURRENT_TIME);
        Reply<xcb_generic_event_t> event;
        while ((event = next()) && eventType(*event) != XCB_SELECTION_NOTIFY) {
        }
        if (!event)
            return std::nullopt;
        if (reinterpret_cast<xcb_selection_notify_event_t*>(event.get())->property == XCB_NONE)
            return Received{};

        Reply<xcb_get_property_reply_t> part = take();
        if (!part)
            return std::nullopt;
        Received received{{}, part->type};
        if (received.type != incr) {
            append(received.bytes, part.get());
            return received;
        }
        // Too long for one property: it comes in parts, each set once the one before is taken,
        // and ends with an empty one.
        for (;;) {
            if (!(event = next()))
                return std::nullopt;
            const auto* change = reinterpret_cast<xcb_property_notify_event_t*>(event.get());
            if (eventType(*event) != XCB_PROPERTY_NOTIFY || change->atom != property ||
                change->state != XCB_PROPERTY_NEW_VALUE)
                continue;
            if (!(part = take()))
                return std::nullopt;
            if (xcb_get_property_value_length(part.get()) == 0)
                return received;
            received.type = part->type;
            append(received.bytes, part.get());
        }
    };

    ClipboardOffer offer;
    // The rich flavours only where the owner names them: asking for one it lacks costs a round
    // trip, and a few owners never answer that.
    const std::optional<Received> offered = receive(targets);
    if (!offered)
        return std::nullopt;
    const QList<xcb_atom_t> named(reinterpret_cast<const xcb_atom_t*>(offered->bytes.constData()),
                                  reinterpret_cast<const xcb_atom_t*>(offered->bytes.constData()) +
                                      offered->bytes.size() / qsizetype(sizeof(xcb_atom_t)));
    for (std::size_t i = 0; i < std::size(richAtoms); ++i) {
        if (offered->type != XCB_ATOM_ATOM || !named.contains(richAtoms[i]))
            continue;
        std::optional<Received> flavour = receive(richAtoms[i]);
        if (!flavour)
            return std::nullopt;
        offer.*ClipboardOffer::richFlavours[i].second = std::move(flavour->bytes);
    }
    // Text in UTF-8 first, and in Latin-1 from the rare owner that has no other, as Qt would;
    // read as the type that the owner gives it says, as some send their one kind of text
    // whichever is asked for.
    for (const xcb_atom_t target : {utf8, xcb_atom_t(XCB_ATOM_STRING)}) {
        const std::optional<Received> text = receive(target);
        if (!text)
            return std::nullopt;
        if (text->type == XCB_NONE)
            continue;
        offer.text = text->type == XCB_ATOM_STRING ? QString::fromLatin1(text->bytes)
                                                   : QString::fromUtf8(text->bytes);
        break;
    }
    return offer;
}
