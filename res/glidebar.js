// glidebar.js: draws the menu of a Vantrel page in today's browsers.
//
// Every <applet code="Glidebar.class"> element is read for its <param>
// values and replaced, in place, by the same menu the wizard's picture
// shows: the applet box, the menus at their positions, every item in its
// Normal, Mouse Move or Mouse Click look. The items are real links laid out
// as a WAI-ARIA menubar: one Tab stop, arrow keys along each menu, Home/End,
// Escape out of a sub menu, Enter/Space to follow a link.
//
// The menu is built with DOM calls only; no page value is ever parsed as
// markup or code.
(function () {
  'use strict';

  // Font families for TimesRoman (t), Helvetica (h) and Courier (c), most
  // wanted first, then the generic family. The program draws its pictures
  // from the same table, so both pick the same installed font.
  const FONT_FAMILIES = {
    t: { families: ['Times New Roman', 'Liberation Serif', 'Nimbus Roman', 'DejaVu Serif'], generic: 'serif' },
    h: { families: ['Arial', 'Liberation Sans', 'Nimbus Sans', 'DejaVu Sans'], generic: 'sans-serif' },
    c: { families: ['Courier New', 'Liberation Mono', 'Nimbus Mono PS', 'DejaVu Sans Mono'], generic: 'monospace' },
  };

  const COORD_LIMIT = 1 << 28;
  const BUILT = 'data-glidebar-built';
  const STYLE_ID = 'glidebar-style';
  const SHEET = [
    '.glidebar, .glidebar * { box-sizing: border-box; margin: 0; padding: 0; }',
    '.glidebar { display: inline-block; position: relative; overflow: hidden; isolation: isolate;',
    '  vertical-align: baseline; text-align: left; line-height: normal; text-indent: 0; }',
    '.glidebar ul, .glidebar .gb-sub { position: absolute; display: flex; list-style: none; }',
    '.glidebar li { display: block; flex: none; }',
    // A label is cut at the item's content box, as in the pictures.
    '.glidebar a { position: relative; display: flex; flex: none; align-items: center; width: 100%;',
    '  height: 100%; overflow: clip; overflow-clip-margin: content-box; white-space: pre;',
    '  text-decoration: none;',
    '  background-origin: border-box; background-clip: border-box; cursor: pointer;',
    '  -webkit-tap-highlight-color: transparent; }',
    '.glidebar a:focus { outline: none; }',
    '.glidebar a:focus-visible { outline: 2px solid currentColor; }',
    '.glidebar .gb-text { display: flex; align-items: center; height: 100%; overflow: hidden; min-width: 0; }',
    '.glidebar img { display: block; flex: none; max-width: 100%; max-height: 100%; }',
    '.glidebar .gb-frame { position: absolute; left: 0; top: 0; right: 0; bottom: 0;',
    '  border: 1px solid; pointer-events: none; z-index: 1; }',
    '.glidebar .gb-sub { z-index: 2; }',
  ].join('\n');

  // ---- Reading the params -------------------------------------------------

  function int(text, fallback) {
    const n = parseInt(text, 10);
    return Number.isFinite(n) ? n : fallback;
  }
  function size(text) { // a size or position from the page: never below zero
    return Math.min(Math.max(int(text, 0), 0), COORD_LIMIT);
  }
  function rgb(hex) {
    return /^[0-9a-fA-F]{6}$/.test(hex)
      ? [0, 2, 4].map((i) => parseInt(hex.substr(i, 2), 16)) : [0, 0, 0];
  }
  function css(c) { return 'rgb(' + c.join(',') + ')'; }
  // The colour part of the way from a to b, as the program mixes colours.
  function mix(a, b, t) { return a.map((v, i) => Math.round(v + (b[i] - v) * t)); }

  function menuStyle(value) {
    const f = (value || '').split(',');
    return {
      color: rgb(f[0]),
      bk: { '01': 0, '02': 1, '11': 2, '12': 3 }[f[1]] || 0,
      across: f[2] === 'h',
      w: size(f[3]), h: size(f[4]), gap: size(f[5]),
      thick: Math.min(int(f[6], 0), COORD_LIMIT),
    };
  }

  function itemLook(value) {
    const f = (value || '').split(',');
    const fill = int((f[2] || '').slice(0, -1), 0);
    const border = int((f[2] || '').slice(-1), 1) - 1;
    const font = FONT_FAMILIES[f[3]] || FONT_FAMILIES.h;
    const px = int(f[4], 0);
    const align = /^[lcr][lcr]$/.test(f[6] || '') ? f[6] : 'll';
    return {
      bk: rgb(f[0]), fr: rgb(f[1]),
      fill: fill >= 0 && fill <= 9 ? fill : 0,
      border: border >= 0 && border <= 2 ? border : 0,
      family: font.families.map((n) => '"' + n + '"').concat(font.generic).join(', '),
      px: px > 0 ? px : 12,
      bold: f[5] === 'b', italic: f[5] === 'i',
      imageAlign: 'lcr'.indexOf(align[0]), textAlign: 'lcr'.indexOf(align[1]),
    };
  }

  // label, image, target, link: the four comma-cut fields of an item value.
  function item(value) {
    const f = (value || '').split(',');
    return { label: f[0] || '', image: f[1] || '', target: f[2] || '', link: f[3] || '' };
  }

  function readConfig(applet) {
    const p = Object.create(null);
    for (const el of applet.getElementsByTagName('param')) {
      const name = el.getAttribute('name');
      if (name !== null && !(name in p)) p[name] = el.getAttribute('value') || '';
    }
    const ap = (p.ApCo || '').split(',');
    const cfg = {
      width: size(applet.getAttribute('width')), height: size(applet.getAttribute('height')),
      bkColor: rgb(p.ApBKColor), bkImage: p.ApBKImg || '',
      x: Math.min(Math.max(int(ap[0], 0), -COORD_LIMIT), COORD_LIMIT),
      y: Math.min(Math.max(int(ap[1], 0), -COORD_LIMIT), COORD_LIMIT),
      mm: menuStyle(p.MMStyle), sm: menuStyle(p.SMStyle),
      mi: [1, 2, 3].map((s) => itemLook(p['MIStyle' + s])),
      si: [1, 2, 3].map((s) => itemLook(p['SIStyle' + s])),
      items: [],
    };
    // Misc: menu count, the item count of each menu, then owner-number pairs.
    const misc = (p.Misc || '').split(',');
    const menus = int(misc[0], 0);
    const counts = [];
    for (let m = 0; m < menus; ++m) counts.push(Math.max(int(misc[1 + m], 0), 0));
    if (menus < 1) { // no table: as many root items as there are
      counts.push(0);
      while (('I0-' + counts[0]) in p) counts[0]++;
    }
    const read = (m) => Array.from({ length: counts[m] || 0 }, (_, i) => item(p['I' + m + '-' + i]));
    cfg.items = read(0);
    for (const pair of misc.slice(1 + menus)) {
      const owner = /^(\d+)-(\d+)$/.exec(pair);
      if (!owner) continue;
      const main = cfg.items[+owner[1]], k = +owner[2];
      if (main && !main.sub && k > 0 && k < counts.length) main.sub = read(k);
    }
    return cfg;
  }

  // ---- Geometry -----------------------------------------------------------

  // Item k of a menu starting at (x, y), relative to that start.
  function itemBox(style, k) {
    const off = k * ((style.across ? style.w : style.h) + style.gap);
    return { x: style.across ? off : 0, y: style.across ? 0 : off, w: style.w, h: style.h };
  }
  function menuBox(style, count) {
    const along = count * (style.across ? style.w : style.h) + (count - 1) * style.gap;
    return style.across ? { w: along, h: style.h } : { w: style.w, h: along };
  }

  // ---- Drawing ------------------------------------------------------------

  function fillCss(look) {
    if (look.fill === 0) return 'none';
    if (look.fill === 1) return css(look.bk);
    const k = (look.fill - 2) % 4;
    const edge = k === 0 || k === 2 ? 'rgb(0,0,0)' : 'rgb(255,255,255)';
    const from = k < 2 ? edge : css(look.bk), to = k < 2 ? css(look.bk) : edge;
    return 'linear-gradient(to ' + (look.fill >= 6 ? 'bottom' : 'right') + ', ' + from + ', ' + to + ')';
  }

  // Whether a centred image and a centred label fit side by side; until the
  // image has loaded they are taken to fit.
  let measure = null;
  function fitsTogether(node, look, t) {
    const img = node.img, room = node.w - 2 * t - 4, high = node.h - 2 * t;
    let w = img.naturalWidth, h = img.naturalHeight;
    if (!w || !h) return true;
    if (w > room || h > high) { // shrunk to fit, keeping its shape
      const wide = Math.floor((high * w) / h);
      [w, h] = wide <= room ? [wide, high] : [room, Math.floor((room * h) / w)];
    }
    if (!node.label) return w <= room;
    measure = measure || document.createElement('canvas').getContext('2d');
    measure.font = (look.italic ? 'italic ' : '') + (look.bold ? 'bold ' : '') + look.px + 'px ' + look.family;
    return w + 4 + Math.round(measure.measureText(node.label).width) <= room;
  }

  function flexItem(el, order, grow, margin) {
    el.style.order = order;
    el.style.flex = grow ? '1 1 0px' : 'none';
    el.style.margin = margin;
  }

  // Gives one item the look of one state: fill, border, type, and where the
  // image and the text sit (the alignments may differ between states).
  function paint(node, look, thick) {
    const a = node.a, s = a.style;
    const t = Math.max(0, Math.min(thick, Math.floor(Math.min(node.w, node.h) / 2)));
    s.background = fillCss(look);
    s.borderWidth = t + 'px';
    s.borderStyle = t > 0 ? 'solid' : 'none';
    if (look.border === 0) {
      s.borderColor = css(look.fr);
    } else {
      const light = css(mix(look.bk, [255, 255, 255], 0.65)), dark = css(mix(look.bk, [0, 0, 0], 0.6));
      const [tl, br] = look.border === 1 ? [light, dark] : [dark, light];
      s.borderColor = tl + ' ' + br + ' ' + br + ' ' + tl;
    }
    s.outlineOffset = -(t + 1) + 'px';
    // The content: inside the border, less two pixels at the sides.
    const room = node.w - 2 * t - 4 > 0 && node.h - 2 * t > 0;
    s.padding = room ? '0 2px' : '0';
    s.color = room ? css(look.fr) : 'transparent';
    s.fontFamily = look.family;
    s.fontSize = look.px + 'px';
    s.fontWeight = look.bold ? 'bold' : 'normal';
    s.fontStyle = look.italic ? 'italic' : 'normal';

    const ia = look.imageAlign, ta = look.textAlign, justify = ['flex-start', 'center', 'flex-end'];
    s.justifyContent = justify[ta]; // a label alone lies right in the item
    if (!node.img) return;
    // With an image, the label has a box of its own beside it.
    const img = node.img, spacer = node.spacer, text = node.text;
    s.justifyContent = 'flex-start';
    text.style.justifyContent = justify[ta];
    const group = ia === 1 && ta === 1 && fitsTogether(node, look, t);
    spacer.style.display = ia === 1 && !group ? 'block' : 'none';
    if (ia === 0) {
      flexItem(img, 0, false, '0');
      flexItem(text, 1, true, '0 0 0 4px');
    } else if (ia === 2) {
      flexItem(text, 0, true, '0 4px 0 0');
      flexItem(img, 1, false, '0');
    } else if (group) { // both centred: one group, image first
      s.justifyContent = 'center';
      flexItem(img, 0, false, '0');
      flexItem(text, 1, false, node.label ? '0 0 0 4px' : '0');
    } else { // a centred image, the text in the room on its own side (right when centred)
      const left = ta === 0;
      flexItem(text, left ? 0 : 2, true, left ? '0 4px 0 0' : '0 0 0 4px');
      flexItem(img, 1, false, '0');
      flexItem(spacer, left ? 2 : 0, true, left ? '0 0 0 4px' : '0 4px 0 0');
    }
  }

  function el(tag, className, parent) {
    const e = document.createElement(tag);
    if (className) e.className = className;
    if (parent) parent.appendChild(e);
    return e;
  }

  // A menu's list: the box, its background and frame, and its items. The
  // main menu's items sit in list items that also hold their sub menus; a
  // sub menu holds its links directly.
  function buildMenu(ul, style, looks, items, owner) {
    const count = items.length;
    const box = menuBox(style, count);
    ul.style.width = box.w + 'px';
    ul.style.height = box.h + 'px';
    ul.setAttribute('aria-orientation', style.across ? 'horizontal' : 'vertical');
    // The items follow each other in the list's own flow, the gap between them.
    ul.style.flexDirection = style.across ? 'row' : 'column';
    ul.style.gap = style.gap + 'px';
    if (style.bk >= 2) ul.style.background = css(style.color);
    if (style.bk === 1 || style.bk === 3) {
      const frame = el(owner ? 'span' : 'li', 'gb-frame', ul);
      frame.setAttribute('role', 'none');
      frame.setAttribute('aria-hidden', 'true');
      const lum = (Math.max(...style.color) + Math.min(...style.color)) / 2;
      frame.style.borderColor = css(lum < 80 ? mix(style.color, [255, 255, 255], 0.5)
        : mix(style.color, [0, 0, 0], 0.45));
    }
    // One item in its Normal look, copied for every item of the menu:
    // copying is far cheaper than setting each copy's styles again.
    const pa = el('a');
    pa.setAttribute('role', 'menuitem');
    pa.setAttribute('tabindex', '-1');
    let proto = pa;
    if (!owner) {
      proto = el('li');
      proto.setAttribute('role', 'none');
      proto.appendChild(pa);
    }
    proto.style.width = style.w + 'px';
    proto.style.height = style.h + 'px';
    paint({ a: pa, w: style.w, h: style.h }, looks[0], style.thick);

    const nodes = [];
    items.forEach((it, k) => {
      const li = proto.cloneNode(true);
      const a = owner ? li : li.firstChild;
      if (it.link) a.setAttribute('href', it.link);
      if (it.target) a.setAttribute('target', it.target);
      if (it.target.toLowerCase() === '_blank') a.setAttribute('rel', 'noopener');
      const node = { a, li, k, owner, w: style.w, h: style.h, label: it.label, sub: null,
        looks, thick: style.thick };
      if (!it.image) {
        a.textContent = it.label;
      } else {
        node.text = el('span', 'gb-text', a);
        node.text.textContent = it.label;
        node.img = el('img', '', a);
        node.img.setAttribute('alt', '');
        node.img.addEventListener('error', () => {
          node.img.remove();
          node.spacer.remove();
          a.textContent = it.label;
          node.img = null;
          node.repaint();
        });
        node.img.addEventListener('load', () => node.repaint());
        node.img.setAttribute('src', it.image);
        node.spacer = el('span', '', a);
        paint(node, looks[0], style.thick);
      }
      a.glidebarNode = node;
      ul.appendChild(li);
      nodes.push(node);
    });
    return nodes;
  }

  function build(applet) {
    if (applet.hasAttribute(BUILT)) return;
    applet.setAttribute(BUILT, '');
    const cfg = readConfig(applet);
    for (const child of Array.from(applet.childNodes)) {
      if (!(child.nodeType === 1 && child.localName === 'param')) child.remove();
    }
    applet.classList.add('glidebar');
    const s = applet.style;
    s.width = cfg.width + 'px';
    s.height = cfg.height + 'px';
    s.backgroundColor = css(cfg.bkColor);
    if (cfg.bkImage) {
      s.backgroundImage = 'url("' + cfg.bkImage.replace(/["\\\n\r\f]/g,
        (c) => '\\' + c.charCodeAt(0).toString(16) + ' ') + '")';
      s.backgroundRepeat = 'repeat';
      s.backgroundPosition = '0 0';
    }
    if (!cfg.items.length) return;

    const bar = el('ul'); // built aside, then put in place at once
    bar.setAttribute('role', 'menubar');
    bar.setAttribute('aria-label', 'Menu');
    bar.style.left = cfg.x + 'px';
    bar.style.top = cfg.y + 'px';
    const mains = buildMenu(bar, cfg.mm, cfg.mi, cfg.items, null);
    mains.forEach((node, i) => {
      const sub = cfg.items[i].sub;
      if (!sub || !sub.length) return;
      const ul = el('div', 'gb-sub', node.li);
      ul.setAttribute('role', 'menu');
      ul.setAttribute('aria-label', node.label);
      // Opens at half the owner's width and three quarters of its height: the
      // rule of src/model/SubMenuGeometry.h, which the pictures and the applet
      // size follow.
      const o = itemBox(cfg.mm, i);
      ul.style.left = o.x + Math.floor(cfg.mm.w / 2) + 'px';
      ul.style.top = o.y + Math.floor((3 * cfg.mm.h) / 4) + 'px';
      ul.style.display = 'none';
      node.subList = ul;
      node.sub = buildMenu(ul, cfg.sm, cfg.si, sub, node);
      node.a.setAttribute('aria-haspopup', 'menu');
      node.a.setAttribute('aria-expanded', 'false');
    });
    mains[0].a.setAttribute('tabindex', '0');
    applet.appendChild(bar);
    behave(applet, mains, cfg);
  }

  // ---- Behaviour ----------------------------------------------------------

  function behave(root, mains, cfg) {
    let hover = null, pressed = null, open = null, touch = false;

    const stateOf = (n) => (n === pressed && n === hover ? 3 : n === hover ? 2 : 1);
    const show = (n) => { if (n) paint(n, n.looks[stateOf(n) - 1], n.thick); };
    for (const n of mains.concat(...mains.map((m) => m.sub || []))) n.repaint = () => show(n);

    function setOpen(owner) {
      const next = owner && owner.sub ? owner : null;
      if (next === open) return;
      if (open) {
        open.subList.style.display = 'none';
        open.a.setAttribute('aria-expanded', 'false');
      }
      open = next;
      if (open) {
        open.subList.style.display = '';
        open.a.setAttribute('aria-expanded', 'true');
      }
    }
    function set(h, p) {
      const old = [hover, pressed];
      hover = h;
      pressed = p;
      for (const n of new Set(old.concat(hover, pressed))) show(n);
    }
    function hoverOn(n) { // the pointer or the keys rest on n
      if (n && !n.owner) setOpen(n);
      set(n, pressed);
    }
    function focus(n) {
      n.a.focus();
      hoverOn(n);
    }
    function reset() {
      setOpen(null);
      set(null, null);
    }
    const nodeOf = (target) => {
      const a = target instanceof Element ? target.closest('a') : null;
      return a && root.contains(a) ? a.glidebarNode || null : null;
    };

    root.addEventListener('pointerover', (e) => {
      if (e.pointerType === 'touch') return; // a tap is handled on click
      const n = nodeOf(e.target);
      if (n) hoverOn(n);
      else if (!(open && open.subList.contains(e.target))) { setOpen(null); set(null, pressed); }
      else set(null, pressed);
    });
    root.addEventListener('pointerleave', (e) => { if (e.pointerType !== 'touch') reset(); });
    root.addEventListener('pointerdown', (e) => {
      touch = e.pointerType === 'touch';
      const n = nodeOf(e.target);
      if (n && e.button === 0) set(n, n);
    });
    document.addEventListener('pointerup', () => { if (pressed) set(hover, null); });
    document.addEventListener('pointerdown', (e) => { if (!root.contains(e.target)) reset(); });

    root.addEventListener('click', (e) => {
      const n = nodeOf(e.target);
      if (!n) return;
      // First tap on a main item opens its sub menu; the next follows the link.
      if (n.sub && (touch || !n.a.hasAttribute('href')) && open !== n) {
        e.preventDefault();
        setOpen(n);
        set(touch ? null : hover, null); // a finger leaves nothing under a pointer
      }
      touch = false;
    });

    root.addEventListener('focusin', (e) => {
      const n = nodeOf(e.target);
      if (!n) return;
      // The one Tab stop moves to the main item last reached.
      for (const m of mains) m.a.setAttribute('tabindex', m === (n.owner || n) ? '0' : '-1');
      if (n !== hover) hoverOn(n);
    });
    root.addEventListener('focusout', (e) => {
      if (!root.contains(e.relatedTarget)) reset();
    });

    root.addEventListener('keydown', (e) => {
      const n = nodeOf(e.target);
      if (!n || e.altKey || e.ctrlKey || e.metaKey) return;
      const mainNext = cfg.mm.across ? 'ArrowRight' : 'ArrowDown';
      const mainPrev = cfg.mm.across ? 'ArrowLeft' : 'ArrowUp';
      const intoSub = cfg.mm.across ? 'ArrowDown' : 'ArrowRight';
      const outOfSub = cfg.mm.across ? 'ArrowUp' : 'ArrowLeft';
      const subNext = cfg.sm.across ? 'ArrowRight' : 'ArrowDown';
      const subPrev = cfg.sm.across ? 'ArrowLeft' : 'ArrowUp';
      const list = n.owner ? n.owner.sub : mains;
      const key = e.key;
      let to = null;
      if (key === 'Enter' || key === ' ') {
        if (!e.repeat) set(n, n);
        if (n.a.hasAttribute('href')) n.a.click();
        else if (n.sub) to = n.sub[0];
      } else if (key === 'Home' || key === 'End') {
        to = list[key === 'Home' ? 0 : list.length - 1];
      } else if (!n.owner) {
        if (key === mainNext) to = mains[Math.min(n.k + 1, mains.length - 1)];
        else if (key === mainPrev) to = mains[Math.max(n.k - 1, 0)];
        else if (key === intoSub && n.sub) { setOpen(n); to = n.sub[0]; }
        else if (key === 'Escape' && open) { setOpen(null); e.preventDefault(); }
      } else if (key === subNext) {
        to = list[Math.min(n.k + 1, list.length - 1)];
      } else if (key === subPrev && n.k > 0) {
        to = list[n.k - 1];
      } else if (key === outOfSub || key === subPrev || key === 'Escape') {
        to = n.owner;
      } else if (key === mainNext || key === mainPrev) { // on to the neighbouring main item
        to = mains[Math.min(Math.max(n.owner.k + (key === mainNext ? 1 : -1), 0), mains.length - 1)];
      }
      if (to || key === 'Enter' || key === ' ') e.preventDefault();
      if (to) focus(to);
      if (key === 'Escape' && n.owner) setOpen(null);
    });
    root.addEventListener('keyup', (e) => {
      if ((e.key === 'Enter' || e.key === ' ') && pressed) set(hover, null);
    });
  }

  function buildAll() {
    if (!document.getElementById(STYLE_ID)) {
      const style = el('style');
      style.id = STYLE_ID;
      style.textContent = SHEET;
      (document.head || document.documentElement).appendChild(style);
    }
    for (const applet of Array.from(document.getElementsByTagName('applet'))) {
      if ((applet.getAttribute('code') || '').toLowerCase() === 'glidebar.class') build(applet);
    }
  }

  buildAll();
  if (document.readyState === 'loading') document.addEventListener('DOMContentLoaded', buildAll);
})();
